#include "scaled_picture.h"

#include <QHash>
#include <QMutex>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quorvel {
namespace {

struct Key {
    qint64 picture;
    int width;
    int height;
    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.picture, key.width, key.height);
}

// Pictures are scaled on the pool's threads too, while the window may register its own.
QMutex &registeredLock()
{
    static QMutex lock;
    return lock;
}

QHash<Key, QImage> &registered()
{
    static QHash<Key, QImage> pictures;
    return pictures;
}

// The source pixels a target pixel covers along one axis, each with the share of it covered.
struct Span {
    int first = 0;
    std::vector<float> weights; // for first, first + 1, ...; they add up to 1
};

std::vector<Span> spans(int from, int to)
{
    std::vector<Span> result(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        const double begin = t * step;
        const double end = (t + 1) * step;
        Span &span = result[static_cast<std::size_t>(t)];
        span.first = std::min(static_cast<int>(begin), from - 1);
        for (int s = span.first; s < from && s < end; ++s) {
            const double covered = std::min<double>(s + 1, end) - std::max<double>(s, begin);
            if (covered > 0)
                span.weights.push_back(static_cast<float>(covered / step));
            else if (span.weights.empty())
                ++span.first;
        }
        if (span.weights.empty()) // rounding at the far edge
            span.weights.push_back(1.0f);
    }
    return result;
}

struct Premultiplied {
    float a = 0, r = 0, g = 0, b = 0;
};

Premultiplied premultiplied(QRgb c)
{
    const float alpha = static_cast<float>(qAlpha(c)) / 255.0f;
    return {static_cast<float>(qAlpha(c)), qRed(c) * alpha, qGreen(c) * alpha, qBlue(c) * alpha};
}

uint toByte(float v)
{
    return static_cast<uint>(std::clamp(std::lround(v), 0L, 255L));
}

// Area averaging: one row of source pixels at a time is folded into the target rows it falls on,
// so the cost is one visit per source pixel and the memory a few rows of the target's width.
// `fetch(line, x)` gives the premultiplied colour of the source pixel x of a scanline.
template <typename Fetch> QImage areaAverage(const QImage &picture, const QSize &size, Fetch fetch)
{
    const int tw = size.width();
    const int th = size.height();
    const std::vector<Span> columns = spans(picture.width(), tw);
    const std::vector<Span> rows = spans(picture.height(), th);
    QImage scaled(size, QImage::Format_ARGB32_Premultiplied);
    if (scaled.isNull())
        return scaled;
    std::vector<Premultiplied> sum(static_cast<std::size_t>(tw));
    for (int ty = 0; ty < th; ++ty) {
        const Span &rowSpan = rows[static_cast<std::size_t>(ty)];
        std::fill(sum.begin(), sum.end(), Premultiplied{});
        for (std::size_t j = 0; j < rowSpan.weights.size(); ++j) {
            const int sy = rowSpan.first + static_cast<int>(j);
            const uchar *line = picture.constScanLine(sy);
            const float wy = rowSpan.weights[j];
            for (int tx = 0; tx < tw; ++tx) {
                const Span &columnSpan = columns[static_cast<std::size_t>(tx)];
                Premultiplied p;
                for (std::size_t i = 0; i < columnSpan.weights.size(); ++i) {
                    const Premultiplied c = fetch(line, columnSpan.first + static_cast<int>(i));
                    const float w = columnSpan.weights[i];
                    p.a += w * c.a;
                    p.r += w * c.r;
                    p.g += w * c.g;
                    p.b += w * c.b;
                }
                Premultiplied &s = sum[static_cast<std::size_t>(tx)];
                s.a += wy * p.a;
                s.r += wy * p.r;
                s.g += wy * p.g;
                s.b += wy * p.b;
            }
        }
        auto *to = reinterpret_cast<QRgb *>(scaled.scanLine(ty));
        for (int tx = 0; tx < tw; ++tx) {
            const Premultiplied &s = sum[static_cast<std::size_t>(tx)];
            const uint a = toByte(s.a);
            to[tx] = qRgba(std::min(toByte(s.r), a), std::min(toByte(s.g), a), std::min(toByte(s.b), a), a);
        }
    }
    return scaled;
}

// The eight pixels of a byte of a one-bit picture, most significant first, as 0 or 1.
constexpr auto kBitsOfByte = [] {
    std::array<std::array<float, 8>, 256> bits{};
    for (std::size_t v = 0; v < 256; ++v)
        for (std::size_t i = 0; i < 8; ++i)
            bits[v][i] = static_cast<float>((v >> (7 - i)) & 1);
    return bits;
}();

// Area averaging of a two-colour picture: only the share of colour 1 in each target pixel is
// summed, one value a source pixel instead of four, and the colours are mixed once at the end.
QImage monoAreaAverage(const QImage &picture, const QSize &size, const Premultiplied &zero,
                       const Premultiplied &one)
{
    const int tw = size.width();
    const int th = size.height();
    const int sw = picture.width();
    const std::vector<Span> columns = spans(sw, tw);
    const std::vector<Span> rows = spans(picture.height(), th);
    QImage scaled(size, QImage::Format_ARGB32_Premultiplied);
    if (scaled.isNull())
        return scaled;
    std::vector<float> columnTotal(static_cast<std::size_t>(tw));
    for (int tx = 0; tx < tw; ++tx)
        for (float w : columns[static_cast<std::size_t>(tx)].weights)
            columnTotal[static_cast<std::size_t>(tx)] += w;
    const int lineBytes = (sw + 7) / 8;
    // The source rows of a target row are summed first, a column at a time, and each target pixel
    // then sums its columns once: the first pass has no dependence between columns.
    std::vector<float> columnOnes(static_cast<std::size_t>(lineBytes) * 8);
    std::vector<float> ones(static_cast<std::size_t>(tw));
    for (int ty = 0; ty < th; ++ty) {
        const Span &rowSpan = rows[static_cast<std::size_t>(ty)];
        std::fill(columnOnes.begin(), columnOnes.end(), 0.0f);
        float rowTotal = 0;
        bool anyOne = false;
        for (std::size_t j = 0; j < rowSpan.weights.size(); ++j) {
            const uchar *line = picture.constScanLine(rowSpan.first + static_cast<int>(j));
            const float wy = rowSpan.weights[j];
            rowTotal += wy;
            for (int b = 0; b < lineBytes; ++b) {
                // Bytes all of colour 0, as the margins of a glyph are, add nothing.
                if (line[b] == 0)
                    continue;
                anyOne = true;
                const std::array<float, 8> &bits = kBitsOfByte[line[b]];
                float *to = columnOnes.data() + 8 * b;
                for (int i = 0; i < 8; ++i)
                    to[i] += wy * bits[static_cast<std::size_t>(i)];
            }
        }
        for (int tx = 0; tx < tw; ++tx) {
            float p = 0;
            if (anyOne) {
                const Span &columnSpan = columns[static_cast<std::size_t>(tx)];
                const float *from = columnOnes.data() + columnSpan.first;
                for (std::size_t i = 0; i < columnSpan.weights.size(); ++i)
                    p += columnSpan.weights[i] * from[i];
            }
            ones[static_cast<std::size_t>(tx)] = p;
        }
        auto *to = reinterpret_cast<QRgb *>(scaled.scanLine(ty));
        for (int tx = 0; tx < tw; ++tx) {
            const float f1 = ones[static_cast<std::size_t>(tx)];
            const float f0 = rowTotal * columnTotal[static_cast<std::size_t>(tx)] - f1;
            const uint a = toByte(f0 * zero.a + f1 * one.a);
            to[tx] = qRgba(std::min(toByte(f0 * zero.r + f1 * one.r), a),
                           std::min(toByte(f0 * zero.g + f1 * one.g), a),
                           std::min(toByte(f0 * zero.b + f1 * one.b), a), a);
        }
    }
    return scaled;
}

QImage scalePicture(const QImage &picture, const QSize &size)
{
    std::array<Premultiplied, 256> colours{};
    const QList<QRgb> table = picture.colorTable();
    for (qsizetype i = 0; i < table.size() && i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = premultiplied(table[i]);
    switch (picture.format()) {
    case QImage::Format_Mono:
        return monoAreaAverage(picture, size, colours[0], colours[1]);
    case QImage::Format_Indexed8:
        return areaAverage(picture, size, [&](const uchar *line, int x) { return colours[line[x]]; });
    default: {
        // Only palette pictures are ever loaded; any other format is read a pixel at a time.
        const int bytesPerLine = static_cast<int>(picture.bytesPerLine());
        const uchar *first = picture.constBits();
        return areaAverage(picture, size, [&](const uchar *line, int x) {
            return premultiplied(picture.pixel(x, static_cast<int>((line - first) / bytesPerLine)));
        });
    }
    }
}

} // namespace

QImage scaledPicture(const Picture &picture, const QSize &size)
{
    {
        const QMutexLocker locker(&registeredLock());
        const auto it = registered().constFind(Key{picture.cacheKey(), size.width(), size.height()});
        if (it != registered().constEnd())
            return *it;
    }
    if (picture.isNull() || size.isEmpty())
        return QImage();
    return scalePicture(picture, size);
}

void registerScaledPicture(const Picture &picture, const QImage &scaled)
{
    const QMutexLocker locker(&registeredLock());
    registered().insert(Key{picture.cacheKey(), scaled.width(), scaled.height()}, scaled);
}

} // namespace quorvel
