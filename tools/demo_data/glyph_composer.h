#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <map>
#include <span>
#include <vector>

namespace quorvel::demo {

// Draws a character's glyph from the pictures of its elements, so that it visibly holds them.
class GlyphComposer {
public:
    // Loads <paletteDir>/<id>.gif for every palette element; throws std::runtime_error naming a
    // picture that is missing or unreadable.
    explicit GlyphComposer(const QString &paletteDir);

    // side x side, two colours (Indexed8: 0 white, 1 black). seed varies the arrangement.
    QImage compose(std::span<const int> elements, unsigned seed, int side) const;

private:
    struct Art {
        QImage ink;    // black where the element is drawn, transparent elsewhere
        QRectF inkBox; // the drawn part
        QRectF area;   // what a wrapping element spans when it wraps others
        QRectF inner;  // the free space it wraps, inside area
        bool wraps = false;
    };

    void place(class QPainter &painter, const QRectF &region, std::vector<int> elements, int depth,
               unsigned seed) const;
    void drawPlain(QPainter &painter, const QRectF &region, const Art &art) const;

    std::map<int, Art> art_;
};

} // namespace quorvel::demo
