// Feeds arbitrary bytes through the path of a glyph file to a painted result cell: the file is
// opened and loaded as a lookup loads it, then scaled into a cell and drawn, stretched and not.
#include "gif_picture.h"
#include "image_control.h"
#include "runtime_failure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

const QString &scratchPath()
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("quorvel-fuzz-cell-%1.gif").arg(::getpid()));
    return path;
}

void removeScratch()
{
    QFile::remove(scratchPath());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        QFile file(scratchPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    quorvel::Picture picture;
    try {
        picture = quorvel::loadGifPicture(scratchPath());
    } catch (const quorvel::RuntimeFailure &) {
        removeScratch();
        return 0;
    }
    removeScratch();
    quorvel::ImageHost host(nullptr);
    quorvel::ImageControl stretched(&host, QStringLiteral("cell"), 1, QRect(0, 0, 45, 45), {});
    quorvel::ImageControl actualSize(
        &host, QStringLiteral("glyph"), 2, QRect(0, 0, 45, 45),
        {false, quorvel::ImageControl::NoBorder, quorvel::ImageControl::Flat, true});
    QImage target(45, 45, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    for (quorvel::ImageControl *cell : {&stretched, &actualSize}) {
        cell->setPicture(picture);
        cell->paint(painter);
    }
    return 0;
}
