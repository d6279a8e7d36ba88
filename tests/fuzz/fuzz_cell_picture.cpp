// Feeds arbitrary bytes through the path of a glyph file to a painted result cell: the file is
// opened, loaded and scaled to a cell as a lookup does it, then drawn, stretched and not.
#include "fuzz_support.h"
#include "gif_picture.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdint>

namespace {

const QSize kCell(45, 45);

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const quorvel::fuzz::ScratchFile scratch(data, size, "gif");
    const std::vector<quorvel::LoadedPicture> loaded = quorvel::loadGifPictures({scratch.path()}, kCell);
    if (loaded.front().failure)
        return 0;
    QImage target(kCell, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), loaded.front().scaled);
    painter.setClipRect(QRect(QPoint(0, 0), kCell));
    painter.drawImage(QPoint(0, 0), loaded.front().picture);
    return 0;
}
