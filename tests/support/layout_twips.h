#pragma once

#include <QRect>

namespace quorvel::test {

// A rectangle of a window layout written in twips, as the layout tests expect it in pixels at
// 96 dpi: written out here rather than through the code's own conversion.
inline QRect tw(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace quorvel::test
