#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

// The element groups of the palette: page k of the palette shows the elements of group k.
inline constexpr int kPaletteCount = 11;
inline constexpr int kPaletteColumns = 18;
inline constexpr int kElementCount = 551;

// The element ids of page k, in grid order (row by row from the top-left cell).
std::span<const std::int16_t> paletteIds(int page);

// The caption of group k in the element-group list.
const char16_t *elementGroupName(int page);

// The page that holds element id, or -1 when no palette element has that id.
int pageOfElement(int id);

} // namespace quorvel
