#pragma once

#include "character_tables.h"
#include "control_family.h"
#include "image_control.h"

#include <cstdint>
#include <functional>

namespace quorvel {

// Loads the detail window, fills it for one character and shows it without blocking the main window.
// The large glyph is `glyphSource`'s own picture; the element cells get the pictures of the palette
// elements `palette(id)`. `code` gives the character code each time it is needed: once for the row
// scan and once for the code caption, so that a candidate's code is read, with its index test, where
// it is used.
void DetailFill(const ImageControl &glyphSource, const std::function<std::int32_t()> &code,
                const CharacterTables &tables, const ControlFamily<ImageControl> &palette);

} // namespace quorvel
