#pragma once

#include "gif_picture.h"

#include <QSize>

namespace quorvel {

// A picture scaled smoothly to `size` device pixels, ready to draw: premultiplied 32-bit pixels,
// each the area average of the source pixels it covers, transparent where the source is.
// A one-bit or 8-bit palette picture is read in place, never widened to 32 bits at full size.
// Scaled pictures made in advance (registered below) are handed out instead of being computed again.
QImage scaledPicture(const Picture &picture, const QSize &size);

// The picture made in advance for `picture` at `scaled.size()`; `scaled` must be what
// scaledPicture would compute.
void registerScaledPicture(const Picture &picture, const QImage &scaled);

} // namespace quorvel
