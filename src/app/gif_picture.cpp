#include "gif_picture.h"

#include "input_file.h"
#include "runtime_failure.h"
#include "scaled_picture.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentMap>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace quorvel {
namespace {

struct Source {
    const QByteArray *bytes;
    qsizetype pos;
};

int readBytes(GifFileType *gif, GifByteType *out, int wanted)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const qsizetype available = source->bytes->size() - source->pos;
    const int n = static_cast<int>(std::min<qsizetype>(wanted, available));
    if (n > 0)
        std::memcpy(out, source->bytes->constData() + source->pos, static_cast<std::size_t>(n));
    source->pos += n;
    return n;
}

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

[[noreturn]] void bad(const QString &name, const QString &why)
{
    raiseFailure(FailureKind::BadPicture, QStringLiteral("\"%1\" (%2)").arg(name, why));
}

// giflib's reasons, in the words of the rest of the messages.
QString gifError(int code)
{
    switch (code) {
    case D_GIF_ERR_OPEN_FAILED:
        return QStringLiteral("開けません");
    case D_GIF_ERR_READ_FAILED:
        return QStringLiteral("読み込めません (途中で終わっています)");
    case D_GIF_ERR_NOT_GIF_FILE:
        return QStringLiteral("GIF ファイルではありません");
    case D_GIF_ERR_NO_SCRN_DSCR:
        return QStringLiteral("画面の記述がありません");
    case D_GIF_ERR_NO_IMAG_DSCR:
        return QStringLiteral("画像の記述がありません");
    case D_GIF_ERR_NO_COLOR_MAP:
        return QStringLiteral("色表がありません");
    case D_GIF_ERR_WRONG_RECORD:
        return QStringLiteral("不明なブロックがあります");
    case D_GIF_ERR_DATA_TOO_BIG:
        return QStringLiteral("画素が画像の大きさを超えています");
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        return QStringLiteral("メモリが不足しています");
    case D_GIF_ERR_CLOSE_FAILED:
        return QStringLiteral("閉じられません");
    case D_GIF_ERR_NOT_READABLE:
        return QStringLiteral("読み込み用ではありません");
    case D_GIF_ERR_IMAGE_DEFECT:
        return QStringLiteral("画像が壊れています");
    case D_GIF_ERR_EOF_TOO_SOON:
        return QStringLiteral("画像の途中で終わっています");
    default:
        return QStringLiteral("GIF のエラー %1").arg(code);
    }
}

[[noreturn]] void tooLarge(const QString &name, qint64 width, qint64 height)
{
    bad(name, QStringLiteral("%1 x %2 は大きすぎます (上限 %3 画素)")
                  .arg(width)
                  .arg(height)
                  .arg(kPictureAllocationLimit));
}

} // namespace

Picture decodeGifPicture(const QByteArray &bytes, const QString &name)
{
    Source source{&bytes, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readBytes, &error));
    if (!gif)
        bad(name, gifError(error));

    const qint64 screenPixels = static_cast<qint64>(gif->SWidth) * gif->SHeight;
    if (screenPixels > kPictureAllocationLimit)
        tooLarge(name, gif->SWidth, gif->SHeight);

    int transparentIndex = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            bad(name, gifError(gif->Error));
        if (type == TERMINATE_RECORD_TYPE)
            bad(name, QStringLiteral("画像がありません"));
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                bad(name, gifError(gif->Error));
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4 && (block[1] & 1) != 0)
                transparentIndex = block[4];
            while (block != nullptr)
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    bad(name, gifError(gif->Error));
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            bad(name, QStringLiteral("不明なブロック"));

        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            bad(name, gifError(gif->Error));
        const GifImageDesc &frame = gif->Image;
        const qint64 framePixels = static_cast<qint64>(frame.Width) * frame.Height;
        if (frame.Width <= 0 || frame.Height <= 0)
            bad(name, QStringLiteral("大きさが 0 です"));
        if (framePixels > kPictureAllocationLimit)
            tooLarge(name, frame.Width, frame.Height);
        const ColorMapObject *map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
        if (map == nullptr || map->ColorCount <= 0)
            bad(name, QStringLiteral("色表がありません"));

        const int width = gif->SWidth > 0 ? gif->SWidth : frame.Width;
        const int height = gif->SHeight > 0 ? gif->SHeight : frame.Height;
        // A screen of zero width or height takes the frame's: the canvas itself must be tested too.
        if (static_cast<qint64>(width) * height > kPictureAllocationLimit)
            tooLarge(name, width, height);
        // Two colours are decoded straight into one bit a pixel: no 8-bit canvas on the way.
        const bool mono = map->ColorCount <= 2;
        QImage canvas(width, height, mono ? QImage::Format_Mono : QImage::Format_Indexed8);
        if (canvas.isNull())
            raiseFailure(FailureKind::OutOfMemory, QStringLiteral("\"%1\"").arg(name));
        QList<QRgb> colours;
        for (int i = 0; i < map->ColorCount; ++i) {
            const GifColorType &c = map->Colors[i];
            colours.append(i == transparentIndex ? qRgba(c.Red, c.Green, c.Blue, 0)
                                                 : qRgb(c.Red, c.Green, c.Blue));
        }
        canvas.setColorTable(colours);
        const int background =
            gif->SColorMap != nullptr && gif->SBackGroundColor < map->ColorCount ? gif->SBackGroundColor : 0;
        const int fillIndex =
            transparentIndex >= 0 && transparentIndex < map->ColorCount ? transparentIndex : background;
        canvas.fill(static_cast<uint>(fillIndex));

        // The bit each index leaves on a two-colour canvas: a transparent pixel leaves the fill.
        std::array<uchar, 256> bitOf{};
        for (int i = 0; i < 256; ++i)
            bitOf[static_cast<std::size_t>(i)] =
                static_cast<uchar>(i == transparentIndex ? fillIndex : (i < map->ColorCount ? i : 0));
        const bool plainBits = bitOf[0] == 0 && bitOf[1] == 1;
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        auto putLine = [&](int row) {
            if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
                bad(name, QStringLiteral("途中で切れているか壊れています: %1").arg(gifError(gif->Error)));
            const int y = frame.Top + row;
            if (y < 0 || y >= height)
                return;
            uchar *to = canvas.scanLine(y);
            if (mono) {
                const int count = std::min(frame.Width, width - frame.Left);
                int x = 0;
                // Whole bytes at once where the frame starts on a byte; the rest a bit at a time.
                if (frame.Left % 8 == 0 && count >= 8)
                    for (uchar *byte = to + frame.Left / 8; x + 8 <= count; x += 8) {
                        const GifPixelType *eight = line.data() + x;
                        std::uint64_t word = 0;
                        std::memcpy(&word, eight, sizeof word);
                        // Eight indexes that are all 0 or 1 and stand for themselves are gathered
                        // into one byte by one multiplication, the first index in the top bit.
                        if (std::endian::native == std::endian::little && plainBits &&
                            (word & 0xFEFEFEFEFEFEFEFEull) == 0) {
                            *byte++ = static_cast<uchar>((word * 0x8040201008040201ull) >> 56);
                            continue;
                        }
                        uint bits = 0;
                        for (int i = 0; i < 8; ++i)
                            bits = (bits << 1) | bitOf[eight[i]];
                        *byte++ = static_cast<uchar>(bits);
                    }
                for (; x < count; ++x) {
                    const int cx = frame.Left + x;
                    const uchar mask = static_cast<uchar>(0x80u >> (cx & 7));
                    if (bitOf[line[static_cast<std::size_t>(x)]] != 0)
                        to[cx >> 3] |= mask;
                    else
                        to[cx >> 3] &= static_cast<uchar>(~mask);
                }
                return;
            }
            for (int x = 0; x < frame.Width; ++x) {
                const int cx = frame.Left + x;
                const int index = line[static_cast<std::size_t>(x)];
                if (cx >= width || index == transparentIndex)
                    continue;
                to[cx] = static_cast<uchar>(index < map->ColorCount ? index : 0);
            }
        };
        if (frame.Interlace) {
            static constexpr int kStart[] = {0, 4, 2, 1};
            static constexpr int kStep[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = kStart[pass]; row < frame.Height; row += kStep[pass])
                    putLine(row);
        } else {
            for (int row = 0; row < frame.Height; ++row)
                putLine(row);
        }
        return canvas;
    }
}

Picture loadGifPicture(const QString &path)
{
    QFile file;
    openInputFile(file, path);
    // The size the file claims is not trusted: at most one byte past the limit is ever read.
    // Read through a small buffer of the stack: a glyph file is a few kilobytes, and the bytes then
    // take no more of the heap than the file is long.
    QByteArray bytes;
    char chunk[16 * 1024];
    for (;;) {
        const qint64 wanted = std::min<qint64>(sizeof chunk, kPictureFileByteLimit + 1 - bytes.size());
        if (wanted <= 0)
            break;
        const qint64 got = file.read(chunk, wanted);
        if (got < 0)
            raiseFailure(FailureKind::PathFileAccess, QStringLiteral("\"%1\" (読み込めません)").arg(path));
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<qsizetype>(got));
    }
    if (bytes.size() > kPictureFileByteLimit)
        bad(path, QStringLiteral("ファイルが大きすぎます (上限 %1 バイト)").arg(kPictureFileByteLimit));
    return decodeGifPicture(bytes, path);
}

const Picture &LoadedPicture::take() const
{
    if (failure)
        throw *failure;
    return picture;
}

std::vector<LoadedPicture> loadGifPictures(const QStringList &paths, const QSize &scaledSize)
{
    std::vector<LoadedPicture> loaded(static_cast<std::size_t>(paths.size()));
    std::vector<qsizetype> order(loaded.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    QtConcurrent::blockingMap(order, [&](qsizetype i) {
        LoadedPicture &slot = loaded[static_cast<std::size_t>(i)];
        try {
            slot.picture = loadGifPicture(paths[i]);
            if (!scaledSize.isEmpty())
                slot.scaled = scaledPicture(slot.picture, scaledSize);
        } catch (const RuntimeFailure &failure) {
            slot.failure = failure;
        } catch (const std::bad_alloc &) {
            slot.failure = RuntimeFailure(FailureKind::OutOfMemory, QStringLiteral("\"%1\"").arg(paths[i]));
        }
    });
    return loaded;
}

} // namespace quorvel
