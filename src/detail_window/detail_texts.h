#pragma once

namespace quorvel {

// The captions of the detail window's labels: the layout shows them alone, the detail fill puts
// the character's figures after them.
inline constexpr char16_t kCodeCaption[] = u"コード：";
inline constexpr char16_t kStrokesCaption[] = u"総画数：";
inline constexpr char16_t kKanjiCaption[] = u"対応漢字：";

} // namespace quorvel
