#pragma once

#include "rng.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorvel::art {

using Rng = quorvel::tools::Rng;

// A brush stroke in picture units (0..1 across the picture): a chain of cubic pieces and a width
// profile. Position u along the stroke runs from 0 to pieces(); piece i covers [i, i + 1].
class Stroke {
public:
    Stroke(QPointF start, double width) : cursor_(start), width_(width) {}

    Stroke &lineTo(QPointF p);
    Stroke &quadTo(QPointF c, QPointF p);
    Stroke &cubicTo(QPointF c1, QPointF c2, QPointF p);
    // Width factor w at position u; between keys the factor eases smoothly.
    Stroke &widthAt(double u, double w);

    int pieces() const { return static_cast<int>(pieces_.size()); }
    QPointF end() const { return cursor_; }
    // Outgoing direction at the end (not normalised).
    QPointF endDirection() const;

    // Paints the stroke black; side is the picture's size in pixels.
    void paint(class QPainter &painter, double side) const;

private:
    struct Piece {
        QPointF p0, c1, c2, p3;
    };
    struct Key {
        double u, w;
    };
    double widthFactor(double u) const;

    std::vector<Piece> pieces_;
    std::vector<Key> keys_;
    QPointF cursor_;
    double width_;
};

// Black strokes on white, antialiased, then thresholded: Indexed8 with index 0 white, 1 black.
QImage renderTwoColour(const std::vector<Stroke> &strokes, int side);

// A region of the picture that a shape is drawn into; shapes use 0..1 coordinates inside it.
struct Frame {
    QRectF box;
    double weight = 1.0; // stroke width factor

    QPointF at(double x, double y) const
    {
        return {box.left() + x * box.width(), box.top() + y * box.height()};
    }
    Frame part(double x0, double y0, double x1, double y1, double weightFactor = 1.0) const
    {
        return {QRectF(at(x0, y0), at(x1, y1)), weight * weightFactor};
    }
    double size() const { return std::min(box.width(), box.height()); }
};

enum class End { Stop, Taper, HookLeft, HookUp };

// The elementary brush strokes of the script, in frame coordinates, with a little hand jitter.
class Pen {
public:
    Pen(Rng &rng, double width) : rng_(rng), width_(width) {}

    const std::vector<Stroke> &strokes() const { return strokes_; }
    Rng &rng() { return rng_; }

    void horizontal(const Frame &f, double x0, double y, double x1, End end = End::Stop);
    void vertical(const Frame &f, double x, double y0, double y1, End end = End::Stop);
    // ノ: down first, then sweeping out to the lower left (or wherever to lies), thinning to a point.
    void leftFalling(const Frame &f, QPointF from, QPointF to, double bend = 0.3);
    // 乀: thickening down to the right, then a short flat flick.
    void rightFalling(const Frame &f, QPointF from, QPointF to);
    // 丶: a short swelling touch; angle in degrees, 0 = right, 90 = down.
    void dot(const Frame &f, QPointF at, double size, double angleDeg);
    // ㄱ: along to corner, a shoulder, then down to to.
    void turnDown(const Frame &f, QPointF from, QPointF corner, QPointF to, End end);
    // L / 乚: down to a rounded corner, then along to to.
    void turnRight(const Frame &f, QPointF from, QPointF corner, QPointF to, End end);
    // A smooth stroke through points.
    void curve(const Frame &f, const std::vector<QPointF> &points, End end);
    // 口: left side, top with right side, bottom.
    void box(const Frame &f, double x0, double y0, double x1, double y1);

private:
    QPointF point(const Frame &f, QPointF p);
    double width(const Frame &f) const { return width_ * f.weight; }
    void entry(Stroke &s);
    void finish(Stroke &s, const Frame &f, End end);

    Rng &rng_;
    double width_;
    std::vector<Stroke> strokes_;
};

} // namespace quorvel::art
