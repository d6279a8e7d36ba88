#include "gif_writer.h"

#include <QFile>

#include <gif_lib.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel::tools {
namespace {

constexpr int kMaxColours = 256;
constexpr int kMaxSide = 65535;

// The image as GIF wants it: one byte per pixel and a colour map.
struct Palettized {
    int width = 0;
    int height = 0;
    std::vector<QRgb> colours;
    std::vector<GifByteType> pixels;
    int transparent = -1;
};

[[noreturn]] void fail(const std::string &why)
{
    throw std::runtime_error("cannot encode GIF: " + why);
}

bool isTransparent(QRgb c)
{
    return qAlpha(c) < 128;
}

// Transparent pixels share one key so that they take a single palette entry.
QRgb colourKey(QRgb c)
{
    return isTransparent(c) ? 0u : (c | 0xff000000u);
}

Palettized fromIndexed(const QImage &image)
{
    const QImage indexed =
        image.format() == QImage::Format_Indexed8 ? image : image.convertToFormat(QImage::Format_Indexed8);
    Palettized out;
    out.width = indexed.width();
    out.height = indexed.height();
    const QList<QRgb> table = indexed.colorTable();
    if (table.isEmpty())
        fail("indexed image without a colour table");
    if (table.size() > kMaxColours)
        fail("colour table larger than 256 entries");
    for (int i = 0; i < table.size(); ++i) {
        if (isTransparent(table[i]) && out.transparent < 0)
            out.transparent = i;
        out.colours.push_back(table[i] | 0xff000000u);
    }
    // Pixel index -> GIF index: every transparent entry becomes the one transparent index, and an
    // index past the table is marked invalid.
    constexpr int kInvalid = -1;
    std::array<int, 256> map;
    map.fill(kInvalid);
    for (int i = 0; i < table.size(); ++i)
        map[static_cast<std::size_t>(i)] = isTransparent(table[i]) ? out.transparent : i;
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    GifByteType *pixel = out.pixels.data();
    for (int y = 0; y < out.height; ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < out.width; ++x) {
            const int mapped = map[line[x]];
            if (mapped == kInvalid)
                fail("pixel index outside the colour table");
            *pixel++ = static_cast<GifByteType>(mapped);
        }
    }
    return out;
}

Palettized fromTrueColour(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    // Colour key -> palette index; the indices are assigned once all colours are known.
    std::map<QRgb, int> index;
    for (int y = 0; y < argb.height() && index.size() <= static_cast<std::size_t>(kMaxColours); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            index.emplace(colourKey(line[x]), 0);
    }
    if (index.size() > static_cast<std::size_t>(kMaxColours))
        return fromIndexed(argb.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither));

    Palettized out;
    out.width = argb.width();
    out.height = argb.height();
    for (auto &[colour, at] : index) {
        at = static_cast<int>(out.colours.size());
        if (isTransparent(colour))
            out.transparent = at;
        out.colours.push_back(colour | 0xff000000u);
    }
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                       static_cast<std::size_t>(x)] = static_cast<GifByteType>(index.at(colourKey(line[x])));
    }
    return out;
}

Palettized palettize(const QImage &image)
{
    if (image.isNull())
        fail("null image");
    if (image.width() > kMaxSide || image.height() > kMaxSide)
        fail("image larger than 65535 pixels");
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return fromIndexed(image);
    default:
        return fromTrueColour(image);
    }
}

int appendToArray(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

std::string gifError(int code)
{
    const char *text = GifErrorString(code);
    return text != nullptr ? std::string(text) : "giflib error " + std::to_string(code);
}

// Closes (and frees) the giflib handle on every path; close() reports the result once.
class GifHandle {
public:
    explicit GifHandle(QByteArray *out)
    {
        int error = 0;
        gif_ = EGifOpen(out, appendToArray, &error);
        if (gif_ == nullptr)
            fail(gifError(error));
    }
    ~GifHandle()
    {
        if (gif_ != nullptr) {
            int ignored = 0;
            EGifCloseFile(gif_, &ignored);
        }
    }
    GifHandle(const GifHandle &) = delete;
    GifHandle &operator=(const GifHandle &) = delete;

    GifFileType *get() const { return gif_; }
    void check(int result) const
    {
        if (result != GIF_OK)
            fail(gifError(gif_->Error));
    }
    void close()
    {
        int error = 0;
        GifFileType *gif = gif_;
        gif_ = nullptr;
        if (EGifCloseFile(gif, &error) != GIF_OK)
            fail(gifError(error));
    }

private:
    GifFileType *gif_ = nullptr;
};

// The colour map lives for one encode.
struct ColourMapDeleter {
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};

} // namespace

QByteArray encodeGif(const QImage &image)
{
    Palettized art = palettize(image);

    int bits = 1;
    while ((1 << bits) < static_cast<int>(art.colours.size()))
        ++bits;
    std::vector<GifColorType> colours(static_cast<std::size_t>(1) << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < art.colours.size(); ++i)
        colours[i] = GifColorType{static_cast<GifByteType>(qRed(art.colours[i])),
                                  static_cast<GifByteType>(qGreen(art.colours[i])),
                                  static_cast<GifByteType>(qBlue(art.colours[i]))};
    const std::unique_ptr<ColorMapObject, ColourMapDeleter> map(
        GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));
    if (!map)
        fail("cannot make the colour map");

    QByteArray out;
    GifHandle gif(&out);
    EGifSetGifVersion(gif.get(), true);
    gif.check(EGifPutScreenDesc(gif.get(), art.width, art.height, bits, 0, map.get()));
    if (art.transparent >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = art.transparent;
        GifByteType extension[4] = {};
        const std::size_t length = EGifGCBToExtension(&control, extension);
        gif.check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    }
    gif.check(EGifPutImageDesc(gif.get(), 0, 0, art.width, art.height, false, nullptr));
    for (int y = 0; y < art.height; ++y)
        gif.check(EGifPutLine(
            gif.get(), art.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(art.width),
            art.width));
    gif.close();
    return out;
}

void writeGif(const QString &path, const QImage &image)
{
    const std::string where = path.toStdString();
    QByteArray bytes;
    try {
        bytes = encodeGif(image);
    } catch (const std::runtime_error &error) {
        throw std::runtime_error(where + ": " + error.what());
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(where + ": cannot open for writing: " + file.errorString().toStdString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error(where + ": cannot write: " + file.errorString().toStdString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error(where + ": cannot write: " + file.errorString().toStdString());
}

} // namespace quorvel::tools
