#include "data_fixture.h"

#include "gif_writer.h"

#include <QFile>
#include <QStringEncoder>

namespace quorvel::test {

QString DecompositionRecord::toLine() const
{
    QStringList fields{QString::number(code)};
    for (std::int32_t e : elements)
        fields << QString::number(e);
    fields << QString::number(strokes) << kanji;
    return fields.join(u',');
}

DecompositionRecord fillerRecord(int row)
{
    DecompositionRecord record;
    record.code = 100000 + row;
    return record;
}

QByteArray toCp932(const QString &text)
{
    QStringEncoder encoder("windows-932");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        qFatal("text not representable in code page 932");
    return bytes;
}

DataFixture::DataFixture() : previous_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        qFatal("cannot make a temporary current directory");
}

DataFixture::~DataFixture()
{
    QDir::setCurrent(previous_);
}

void DataFixture::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a fixture file");
}

void DataFixture::writeDecomposition(const std::function<std::optional<DecompositionRecord>(int)> &rows,
                                     int count) const
{
    QString text;
    for (int r = 1; r <= count; ++r) {
        const std::optional<DecompositionRecord> given = rows ? rows(r) : std::nullopt;
        text += (given ? *given : fillerRecord(r)).toLine() + QStringLiteral("\r\n");
    }
    writeText(kDecompositionFile, text);
}

void DataFixture::writeElementForms(const QStringList &lines) const
{
    writeText(kElementFormsFile, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void DataFixture::writeGlyphs(const QList<std::int32_t> &codes) const
{
    QDir(dir_.path()).mkpath(QStringLiteral("文字/Quorvelコード"));
    for (std::int32_t code : codes)
        quorvel::tools::writeGif(glyphPath(code), glyphPictureFor(code));
}

QString DataFixture::glyphPath(std::int32_t code) const
{
    return dir_.filePath(QStringLiteral("文字/Quorvelコード/%1.gif").arg(qAbs(qint64(code))));
}

QImage glyphPictureFor(std::int32_t code)
{
    QImage picture(32, 2, QImage::Format_Mono);
    picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    const auto bits = static_cast<std::uint32_t>(code);
    for (int x = 0; x < 32; ++x) {
        picture.setPixel(x, 0, (bits >> x) & 1u);
        picture.setPixel(x, 1, 1);
    }
    return picture;
}

std::int32_t codeShownBy(const QImage &picture)
{
    if (picture.width() != 32 || picture.height() != 2)
        return -1;
    std::uint32_t bits = 0;
    for (int x = 0; x < 32; ++x) {
        if (picture.pixelColor(x, 1) != Qt::black)
            return -1;
        if (picture.pixelColor(x, 0) == Qt::black)
            bits |= 1u << x;
    }
    return static_cast<std::int32_t>(bits);
}

std::optional<RuntimeFailure> failureOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const RuntimeFailure &failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace quorvel::test
