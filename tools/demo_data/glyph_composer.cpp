#include "glyph_composer.h"

#include "two_colour.h"

#include "palette_pages.h"

#include <QDir>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace quorvel::demo {
namespace {

// The largest rectangle free of ink (kept a cell away from it) inside area, on a grid of cell px.
QRectF largestEmptyRect(const QImage &ink, const QRect &area, int cell)
{
    const int cols = area.width() / cell;
    const int rows = area.height() / cell;
    std::vector<char> inked(static_cast<std::size_t>(cols * rows), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            bool any = false;
            for (int y = area.top() + r * cell; y < area.top() + (r + 1) * cell && !any; ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(ink.constScanLine(y));
                for (int x = area.left() + c * cell; x < area.left() + (c + 1) * cell; ++x)
                    if (line[x] != 0) {
                        any = true;
                        break;
                    }
            }
            inked[static_cast<std::size_t>(r * cols + c)] = any ? 1 : 0;
        }
    const auto at = [&](int r, int c) {
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                const int rr = r + dr;
                const int cc = c + dc;
                if (rr >= 0 && rr < rows && cc >= 0 && cc < cols &&
                    inked[static_cast<std::size_t>(rr * cols + cc)])
                    return true;
            }
        return false;
    };
    // Largest rectangle under a histogram, row by row.
    std::vector<int> height(static_cast<std::size_t>(cols), 0);
    int bestArea = 0;
    QRect best;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            height[static_cast<std::size_t>(c)] = at(r, c) ? 0 : height[static_cast<std::size_t>(c)] + 1;
        std::vector<int> stack;
        for (int c = 0; c <= cols; ++c) {
            const int h = c < cols ? height[static_cast<std::size_t>(c)] : 0;
            while (!stack.empty() && height[static_cast<std::size_t>(stack.back())] >= h) {
                const int top = height[static_cast<std::size_t>(stack.back())];
                stack.pop_back();
                const int left = stack.empty() ? 0 : stack.back() + 1;
                if (top * (c - left) > bestArea) {
                    bestArea = top * (c - left);
                    best = QRect(left, r - top + 1, c - left, top);
                }
            }
            stack.push_back(c);
        }
    }
    return QRectF(area.left() + best.left() * cell, area.top() + best.top() * cell, best.width() * cell,
                  best.height() * cell);
}

// qGray without the call, which matters in unoptimised builds.
int luma(QRgb p)
{
    return static_cast<int>((((p >> 16) & 0xffu) * 11 + ((p >> 8) & 0xffu) * 16 + (p & 0xffu) * 5) >> 5);
}

QRectF mapRect(const QRectF &r, const QRectF &from, const QRectF &to)
{
    const double sx = to.width() / from.width();
    const double sy = to.height() / from.height();
    return QRectF(to.left() + (r.left() - from.left()) * sx, to.top() + (r.top() - from.top()) * sy,
                  r.width() * sx, r.height() * sy);
}

QRectF inset(const QRectF &r, double fraction)
{
    const double dx = r.width() * fraction;
    const double dy = r.height() * fraction;
    return r.adjusted(dx, dy, -dx, -dy);
}

} // namespace

GlyphComposer::GlyphComposer(const QString &paletteDir)
{
    for (int page = 0; page < kPaletteCount; ++page)
        for (const std::int16_t id : paletteIds(page)) {
            const QString path = QDir(paletteDir).filePath(QString::number(id) + QStringLiteral(".gif"));
            const QImage picture(path);
            if (picture.isNull())
                throw std::runtime_error("cannot read the element picture " + path.toStdString());
            Art art;
            art.ink = QImage(picture.size(), QImage::Format_ARGB32_Premultiplied);
            const QImage grey = picture.convertToFormat(QImage::Format_RGB32);
            QRect box;
            for (int y = 0; y < grey.height(); ++y) {
                const auto *in = reinterpret_cast<const QRgb *>(grey.constScanLine(y));
                auto *out = reinterpret_cast<QRgb *>(art.ink.scanLine(y));
                for (int x = 0; x < grey.width(); ++x) {
                    const bool dark = luma(in[x]) < 128;
                    out[x] = dark ? 0xff000000u : 0u;
                    if (dark)
                        box |= QRect(x, y, 1, 1);
                }
            }
            if (box.isEmpty())
                throw std::runtime_error("the element picture " + path.toStdString() + " is blank");
            art.inkBox = QRectF(box);
            // Crowns, hangings and enclosures (pages 0, 3, 4) wrap the other elements of a character
            // when their picture leaves a large enough space free.
            if (page == 0 || page == 3 || page == 4) {
                const double w = picture.width();
                const double h = picture.height();
                const QRect area = box.united(QRect(static_cast<int>(0.15 * w), static_cast<int>(0.15 * h),
                                                    static_cast<int>(0.7 * w), static_cast<int>(0.7 * h)));
                art.area = QRectF(area);
                art.inner = largestEmptyRect(art.ink, area, 6);
                art.wraps =
                    art.inner.width() >= 0.3 * area.width() && art.inner.height() >= 0.3 * area.height();
            }
            art_.emplace(id, std::move(art));
        }
}

void GlyphComposer::drawPlain(QPainter &painter, const QRectF &region, const Art &art) const
{
    const QRectF source = art.inkBox.adjusted(-4, -4, 4, 4);
    const QRectF target = inset(region, 0.04);
    // Parts may be squeezed, as in a written character, but not beyond a factor of two.
    double sx = target.width() / source.width();
    double sy = target.height() / source.height();
    sx = std::min(sx, 2.0 * sy);
    sy = std::min(sy, 2.0 * sx);
    const QSizeF size(source.width() * sx, source.height() * sy);
    const QRectF placed(target.center() - QPointF(size.width() / 2, size.height() / 2), size);
    painter.drawImage(placed, art.ink, source);
}

void GlyphComposer::place(QPainter &painter, const QRectF &region, std::vector<int> elements, int depth,
                          unsigned seed) const
{
    if (elements.empty())
        return;
    if (elements.size() == 1) {
        drawPlain(painter, region, art_.at(elements.front()));
        return;
    }
    // Many elements: rows of at most three, each element in a cell of its own.
    if (elements.size() >= 5) {
        const std::size_t rows = (elements.size() + 2) / 3;
        std::size_t next = 0;
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t count = (elements.size() - next) / (rows - r);
            const double height = region.height() / static_cast<double>(rows);
            const double width = region.width() / static_cast<double>(count);
            for (std::size_t c = 0; c < count; ++c, ++next)
                drawPlain(painter,
                          QRectF(region.left() + width * static_cast<double>(c),
                                 region.top() + height * static_cast<double>(r), width, height),
                          art_.at(elements[next]));
        }
        return;
    }
    // The wrapping element with the most room goes around the others, when they are few enough to
    // stay legible inside it.
    if (depth < 3 && std::min(region.width(), region.height()) >= 100) {
        auto best = elements.end();
        double room = 0;
        for (auto it = elements.begin(); it != elements.end(); ++it) {
            const Art &art = art_.at(*it);
            const double share =
                art.wraps ? art.inner.width() * art.inner.height() / (art.area.width() * art.area.height())
                          : 0;
            if (share > room) {
                room = share;
                best = it;
            }
        }
        if (best != elements.end() && room >= 0.2 + 0.05 * static_cast<double>(elements.size() - 2)) {
            const Art &art = art_.at(*best);
            painter.drawImage(region, art.ink, art.area);
            const QRectF inner = inset(mapRect(art.inner, art.area, region), 0.03);
            elements.erase(best);
            place(painter, inner, std::move(elements), depth + 1, seed / 3);
            return;
        }
    }
    // Otherwise side by side or one over the other, alternating with depth.
    const std::size_t n = elements.size();
    const std::size_t k = n == 3 ? 1 + seed % 2 : n / 2;
    const bool sideBySide = (depth + seed) % 2 == 0;
    const double share = std::clamp(static_cast<double>(k) / static_cast<double>(n), 0.35, 0.65) +
                         (static_cast<double>(seed % 7) - 3.0) * 0.015;
    QRectF first = region;
    QRectF second = region;
    if (sideBySide) {
        first.setWidth(region.width() * share);
        second.setLeft(region.left() + region.width() * share);
    } else {
        first.setHeight(region.height() * share);
        second.setTop(region.top() + region.height() * share);
    }
    const std::vector<int> head(elements.begin(), elements.begin() + static_cast<std::ptrdiff_t>(k));
    const std::vector<int> tail(elements.begin() + static_cast<std::ptrdiff_t>(k), elements.end());
    place(painter, first, head, depth + 1, seed / 5 + 1);
    place(painter, second, tail, depth + 1, seed / 7 + 2);
}

QImage GlyphComposer::compose(std::span<const int> elements, unsigned seed, int side) const
{
    QImage canvas(side, side, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const double margin = side * 0.04;
        place(painter, QRectF(margin, margin, side - 2 * margin, side - 2 * margin),
              std::vector<int>(elements.begin(), elements.end()), 0, seed);
    }
    return quorvel::tools::toTwoColour(canvas);
}

} // namespace quorvel::demo
