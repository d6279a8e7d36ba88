#pragma once

// Where the controls of the main window lie in its client area, in pixels at 96 dpi, worked out
// from its layout in twips: for the end-to-end test and the benchmarks that click the real window.
#include "palette_pages.h"

#include <QPoint>
#include <QRect>

#include <algorithm>

namespace quorvel::places {

// The centre of a palette element of page 0.
inline QPoint elementCentre(int id)
{
    const auto ids = paletteIds(0);
    const int p = static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin());
    return QPoint(136 + 2 + 48 * (p % 18) + 22, 96 + 2 + 48 * (p / 18) + 22);
}

inline QRect resultCell(int k)
{
    return QRect(16 + 48 * ((k - 1) % 20), 424 + 48 * ((k - 1) / 20), 49, 49);
}

inline QRect standaloneSlot(int k)
{
    return QRect(16 + 48 * k, 336, 49, 49);
}

inline const QRect kStatusLine(16, 400, 209, 17);
inline const QPoint kResetButton(16 + 48, 128 + 20);
inline const QPoint kEndButton(16 + 48, 176 + 20);
inline const QPoint kStrokeBox(16 + 20, 40 + 10);
// The detail window's large glyph, in its client area.
inline const QRect kLargeGlyph(16, 16, 300, 300);

} // namespace quorvel::places
