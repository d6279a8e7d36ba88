#pragma once

#include "image_control.h"

namespace quorvel {

// A palette element's selection state is held in its look and read back from there: plain is flat
// without a frame, selected is three-dimensional with a single frame.
enum class ElementLook { Plain, Selected };

void setElementLook(ImageControl &element, ElementLook look);
// Only the appearance is read: a flat element counts as plain, whatever its frame.
ElementLook elementLook(const ImageControl &element);
// Whether both attributes are those of `look`.
bool showsLook(const ImageControl &element, ElementLook look);

} // namespace quorvel
