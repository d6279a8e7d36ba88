#pragma once

#include <QImage>

namespace quorvel::art {

inline constexpr int kPictureSide = 300;

// The picture of element id, which sits at position index on palette page (its element group).
// Two colours (Indexed8: 0 white, 1 black), kPictureSide square; the same pixels on every run.
QImage drawElement(int id, int page, int index);

} // namespace quorvel::art
