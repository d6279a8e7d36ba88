#include "brush.h"

#include "two_colour.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel::art {
namespace {

QPointF bezier(QPointF p0, QPointF c1, QPointF c2, QPointF p3, double t)
{
    const double s = 1.0 - t;
    return s * s * s * p0 + 3 * s * s * t * c1 + 3 * s * t * t * c2 + t * t * t * p3;
}

QPointF bezierTangent(QPointF p0, QPointF c1, QPointF c2, QPointF p3, double t)
{
    const double s = 1.0 - t;
    return 3 * s * s * (c1 - p0) + 6 * s * t * (c2 - c1) + 3 * t * t * (p3 - c2);
}

double length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

// A brush held at an angle: strokes across the hand's direction come out thinner.
double nibFactor(QPointF tangent)
{
    const double len = length(tangent);
    if (len < 1e-12)
        return 1.0;
    const double sine = tangent.y() / len;
    return 0.72 + 0.28 * sine * sine;
}

} // namespace

Stroke &Stroke::lineTo(QPointF p)
{
    const QPointF d = p - cursor_;
    pieces_.push_back({cursor_, cursor_ + d / 3.0, cursor_ + d * (2.0 / 3.0), p});
    cursor_ = p;
    return *this;
}

Stroke &Stroke::quadTo(QPointF c, QPointF p)
{
    pieces_.push_back({cursor_, cursor_ + (c - cursor_) * (2.0 / 3.0), p + (c - p) * (2.0 / 3.0), p});
    cursor_ = p;
    return *this;
}

Stroke &Stroke::cubicTo(QPointF c1, QPointF c2, QPointF p)
{
    pieces_.push_back({cursor_, c1, c2, p});
    cursor_ = p;
    return *this;
}

Stroke &Stroke::widthAt(double u, double w)
{
    const auto at = std::find_if(keys_.begin(), keys_.end(), [u](const Key &k) { return k.u > u; });
    keys_.insert(at, Key{u, w});
    return *this;
}

QPointF Stroke::endDirection() const
{
    if (pieces_.empty())
        return {1, 0};
    const Piece &p = pieces_.back();
    const QPointF t = bezierTangent(p.p0, p.c1, p.c2, p.p3, 1.0);
    return length(t) > 1e-12 ? t : p.p3 - p.p0;
}

double Stroke::widthFactor(double u) const
{
    if (keys_.empty())
        return 1.0;
    if (u <= keys_.front().u)
        return keys_.front().w;
    for (std::size_t i = 1; i < keys_.size(); ++i) {
        if (u <= keys_[i].u) {
            const Key &a = keys_[i - 1];
            const Key &b = keys_[i];
            const double span = b.u - a.u;
            const double t = span > 1e-12 ? (u - a.u) / span : 1.0;
            const double eased = t * t * (3.0 - 2.0 * t);
            return a.w + (b.w - a.w) * eased;
        }
    }
    return keys_.back().w;
}

void Stroke::paint(QPainter &painter, double side) const
{
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Piece &p = pieces_[i];
        const double chord =
            length(p.p3 - p.p0) + length(p.c1 - p.p0) + length(p.c2 - p.c1) + length(p.p3 - p.c2);
        const int samples = std::clamp(static_cast<int>(chord * side / 3.0), 6, 240);
        QPolygonF left;
        QPolygonF right;
        QPointF lastNormal(0, -1);
        double firstRadius = 0;
        double lastRadius = 0;
        for (int k = 0; k <= samples; ++k) {
            const double t = static_cast<double>(k) / samples;
            const QPointF at = bezier(p.p0, p.c1, p.c2, p.p3, t) * side;
            QPointF tangent = bezierTangent(p.p0, p.c1, p.c2, p.p3, t);
            if (length(tangent) < 1e-9)
                tangent = p.p3 - p.p0;
            const double len = length(tangent);
            const QPointF normal = len > 1e-12 ? QPointF(-tangent.y() / len, tangent.x() / len) : lastNormal;
            lastNormal = normal;
            const double radius =
                0.5 * width_ * side * widthFactor(static_cast<double>(i) + t) * nibFactor(tangent);
            left << at + normal * radius;
            right << at - normal * radius;
            if (k == 0)
                firstRadius = radius;
            lastRadius = radius;
        }
        QPolygonF outline = left;
        for (auto it = right.crbegin(); it != right.crend(); ++it)
            outline << *it;
        painter.drawPolygon(outline, Qt::WindingFill);
        // Round ends and joints: the brush is a round tip.
        if (i == 0)
            painter.drawEllipse(p.p0 * side, firstRadius, firstRadius);
        painter.drawEllipse(p.p3 * side, lastRadius, lastRadius);
    }
}

QImage renderTwoColour(const std::vector<Stroke> &strokes, int side)
{
    QImage canvas(side, side, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        for (const Stroke &s : strokes)
            s.paint(painter, side);
    }
    return quorvel::tools::toTwoColour(canvas);
}

QPointF Pen::point(const Frame &f, QPointF p)
{
    const double j = 0.012;
    return f.at(p.x() + rng_.range(-j, j), p.y() + rng_.range(-j, j));
}

void Pen::entry(Stroke &s)
{
    // The brush presses in, then lifts to its running width.
    s.widthAt(0.0, 0.8).widthAt(0.08, 1.12).widthAt(0.25, 1.0);
}

void Pen::finish(Stroke &s, const Frame &f, End end)
{
    const double n = s.pieces();
    const double hook = 0.11 * f.size();
    switch (end) {
    case End::Stop:
        s.widthAt(n - 0.12, 1.0).widthAt(n - 0.03, 1.1).widthAt(n, 0.95);
        break;
    case End::Taper:
        s.widthAt(n - 0.55, 1.0).widthAt(n, 0.1);
        break;
    case End::HookLeft:
        s.widthAt(n - 0.1, 1.05).widthAt(n, 1.15);
        s.lineTo(s.end() + QPointF(-hook * rng_.range(0.7, 0.95), -hook * rng_.range(0.45, 0.65)));
        s.widthAt(n + 1, 0.08);
        break;
    case End::HookUp:
        s.widthAt(n - 0.1, 1.05).widthAt(n, 1.15);
        s.lineTo(s.end() + QPointF(hook * rng_.range(0.05, 0.25), -hook * rng_.range(0.75, 0.95)));
        s.widthAt(n + 1, 0.08);
        break;
    }
    strokes_.push_back(s);
}

void Pen::horizontal(const Frame &f, double x0, double y, double x1, End end)
{
    const double rise = rng_.range(0.01, 0.05) * (x1 - x0);
    const QPointF a = point(f, {x0, y + rise / 2});
    const QPointF b = point(f, {x1, y - rise / 2});
    Stroke s(a, width(f));
    s.quadTo((a + b) / 2 + QPointF(0, rng_.range(0.0, 0.012) * f.size()), b);
    entry(s);
    finish(s, f, end);
}

void Pen::vertical(const Frame &f, double x, double y0, double y1, End end)
{
    const QPointF a = point(f, {x, y0});
    const QPointF b = point(f, {x, y1});
    Stroke s(a, width(f) * 1.08);
    s.quadTo((a + b) / 2 + QPointF(rng_.range(-0.012, 0.012) * f.size(), 0), b);
    entry(s);
    finish(s, f, end);
}

void Pen::leftFalling(const Frame &f, QPointF from, QPointF to, double bend)
{
    const QPointF a = point(f, from);
    const QPointF b = point(f, to);
    const QPointF d = b - a;
    Stroke s(a, width(f) * 1.05);
    s.cubicTo(a + QPointF(d.x() * 0.1, d.y() * 0.4), b - QPointF(d.x() * (0.25 + bend), d.y() * 0.12), b);
    s.widthAt(0.0, 0.85).widthAt(0.08, 1.12).widthAt(0.35, 1.0).widthAt(1.0, 0.08);
    strokes_.push_back(s);
}

void Pen::rightFalling(const Frame &f, QPointF from, QPointF to)
{
    const QPointF a = point(f, from);
    const QPointF b = point(f, to);
    const QPointF d = b - a;
    Stroke s(a, width(f));
    s.cubicTo(a + QPointF(d.x() * 0.3, d.y() * 0.22), a + QPointF(d.x() * 0.62, d.y() * 0.78), b);
    s.lineTo(b + QPointF(0.09 * f.size(), -0.01 * f.size()));
    s.widthAt(0.0, 0.5).widthAt(0.35, 0.85).widthAt(0.92, 1.4).widthAt(1.0, 1.4).widthAt(2.0, 0.1);
    strokes_.push_back(s);
}

void Pen::dot(const Frame &f, QPointF at, double size, double angleDeg)
{
    const double angle = (angleDeg + rng_.range(-8, 8)) * std::numbers::pi / 180.0;
    const QPointF a = point(f, at);
    const double len = size * f.size();
    const QPointF d(std::cos(angle) * len, std::sin(angle) * len);
    const QPointF side(-d.y() * 0.18, d.x() * 0.18);
    Stroke s(a, width(f) * 1.2);
    s.cubicTo(a + d * 0.3 + side, a + d * 0.75 + side, a + d);
    s.widthAt(0.0, 0.35).widthAt(0.45, 1.1).widthAt(0.85, 1.15).widthAt(1.0, 1.0);
    strokes_.push_back(s);
}

void Pen::turnDown(const Frame &f, QPointF from, QPointF corner, QPointF to, End end)
{
    const QPointF a = point(f, from);
    const QPointF c = point(f, corner);
    const QPointF b = point(f, to);
    Stroke s(a, width(f));
    s.lineTo(c);
    // The shoulder: the brush presses again before it turns down.
    s.lineTo(c + QPointF(0.02 * f.size(), 0.03 * f.size()));
    s.quadTo((c + b) / 2 + QPointF(0.01 * f.size(), 0), b);
    entry(s);
    s.widthAt(0.85, 1.0).widthAt(1.0, 1.25).widthAt(2.0, 1.2).widthAt(2.3, 1.08);
    finish(s, f, end);
}

void Pen::turnRight(const Frame &f, QPointF from, QPointF corner, QPointF to, End end)
{
    const QPointF a = point(f, from);
    const QPointF c = point(f, corner);
    const QPointF b = point(f, to);
    const double r = 0.12 * f.size();
    Stroke s(a, width(f) * 1.05);
    const QPointF down = c - a;
    const QPointF along = b - c;
    const double downLen = std::max(length(down), 1e-9);
    const double alongLen = std::max(length(along), 1e-9);
    const QPointF before = c - down * std::min(0.45, r / downLen);
    const QPointF after = c + along * std::min(0.45, r / alongLen);
    s.lineTo(before);
    s.quadTo(c, after);
    s.lineTo(b);
    entry(s);
    finish(s, f, end);
}

void Pen::curve(const Frame &f, const std::vector<QPointF> &points, End end)
{
    if (points.size() < 2)
        return;
    std::vector<QPointF> p;
    p.reserve(points.size());
    for (const QPointF &q : points)
        p.push_back(point(f, q));
    Stroke s(p.front(), width(f));
    // Catmull-Rom through the points, as cubic pieces.
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const QPointF p0 = p[i == 0 ? 0 : i - 1];
        const QPointF p3 = p[std::min(i + 2, p.size() - 1)];
        s.cubicTo(p[i] + (p[i + 1] - p0) / 6.0, p[i + 1] - (p3 - p[i]) / 6.0, p[i + 1]);
    }
    entry(s);
    finish(s, f, end);
}

void Pen::box(const Frame &f, double x0, double y0, double x1, double y1)
{
    vertical(f, x0, y0, y1 + 0.03, End::Stop);
    turnDown(f, {x0, y0}, {x1, y0}, {x1 - 0.01, y1 + 0.03}, End::Stop);
    horizontal(f, x0, y1, x1, End::Stop);
}

} // namespace quorvel::art
