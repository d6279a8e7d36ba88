#pragma once

namespace quorvel {

// The texts of the lookup window that more than one handler writes or compares. UTF-16 arrays, so
// that the constant layout tables can hold them as well.

// The caption of the lookup window; the error box of the program says it too.
inline constexpr char16_t kMainCaption[] = u"Quorvel文字検索プログラム";

// The stroke-count box's entry for no stroke count: compared exactly, a blank makes another text.
inline constexpr char16_t kNoStrokeCount[] = u"なし";

} // namespace quorvel
