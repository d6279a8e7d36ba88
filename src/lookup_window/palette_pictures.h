#pragma once

#include "gif_picture.h"

namespace quorvel {

// The picture of element id, shared with the program's read-only data (no copy, no decoding);
// a null picture when no element has that id.
Picture paletteElementPicture(int id);

} // namespace quorvel
