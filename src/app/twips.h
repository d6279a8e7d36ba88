#pragma once

#include <QRect>

namespace quorvel {

// Layout figures are in twips; 15 twips make one pixel at 96 dpi, and every figure of the layout is
// a whole number of pixels. Used in a constant expression, a figure that is not fails to compile.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    if (twips % kTwipsPerPixel != 0)
        throw "a layout figure that is not a whole number of pixels";
    return twips / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace quorvel
