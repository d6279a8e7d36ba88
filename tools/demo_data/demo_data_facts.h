#pragma once

// Facts about the demo data set that make_demo_data writes (into <build>/demo). The generator builds
// the data to these values and checks the written files against them, so code may rely on them.
// All the element ids below are on palette page 0, the page shown at start.

namespace quorvel::demo {

// 文字分解表.csv: one record per character, CRLF, code page 932, sorted by code.
inline constexpr int kRowCount = 2199;
inline constexpr int kNoEntry = 9999; // pads element columns; as text: no corresponding kanji
inline constexpr int kRowsWithCodeAbove32767 = 220;
inline constexpr int kLargestCode = 89997;
inline constexpr int kSingleElementRows = 119; // exactly one element id, eight 9999 columns
inline constexpr int kUnsortedRows = 44;       // element ids not in ascending order
inline constexpr int kRowsWithRepeatedElement = 15;
inline constexpr int kFullRowCode = 7777; // the row with all nine element columns filled
inline constexpr int kFullRows = 3;       // rows with nine elements, this one included

// Lookups by one element (a row is a hit when one of its nine element columns holds the id).
inline constexpr int kCommonElement = 1;
inline constexpr int kCommonElementHits = 306;
inline constexpr int kMiddlingElement = 203;
inline constexpr int kMiddlingElementHits = 37;
inline constexpr int kCommonAndMiddlingHits = 12; // rows holding both
inline constexpr int kRareElement = 631;
inline constexpr int kRareElementCode = 4631; // its only hit
inline constexpr int kElementWithoutHits = 701;

// A lookup with no element picked finds the rows with at least one 9999 column; of those, this
// many have kStrokeCountForTyping strokes. kStrokeCountForTypingRows counts every row with that
// stroke count: the difference is rows with nine elements (kFullRowCode among them).
inline constexpr int kStrokeCountForTyping = 13;
inline constexpr int kStrokeCountForTypingHits = 96;
inline constexpr int kStrokeCountForTypingRows = 97;

// Corresponding kanji (column 12).
inline constexpr int kRowsWithoutKanji = 60; // the text 9999
inline constexpr int kRowWithoutKanjiCode = 3003;
inline constexpr int kIbmExtensionRows = 8; // kanji of the IBM extensions (0xFA-0xFC / 0xED-0xEE)
inline constexpr int kIbmExtensionRowCode = 3004;
inline constexpr char16_t kIbmExtensionRowText[] = u"髙﨑"; // bytes FB FC FA B1
inline constexpr int kNecSelectedRows = 3;                  // written with NEC-selected lead bytes
inline constexpr int kNecSelectedRowCode = 3005;
inline constexpr char16_t kNecSelectedRowText[] = u"德"; // bytes ED 9E (the same as FA BA)
inline constexpr int kBackslashTrailRowCode = 3006;
inline constexpr char16_t kBackslashTrailRowText[] = u"表能"; // bytes 95 5C 94 5C

// 文字要素.csv: element id, first and second standalone form code (0 or empty for none); a record
// for every palette element, in palette order, then the record 9999.
inline constexpr int kElementWithTwoForms = 216;
inline constexpr int kTwoFormsFirstCode = 2216;
inline constexpr int kTwoFormsSecondCode = 42216; // above 32767
inline constexpr int kElementWithOneForm = 219;
inline constexpr int kOneFormCode = 2219;
inline constexpr int kElementWithFormWithoutRow = 217;
inline constexpr int kFormCodeWithoutRow = 2217; // a glyph file, but no row of 文字分解表.csv
inline constexpr int kFormsOfNoEntry[2] = {3001, 3002};
inline constexpr int kElementsWithForms = 120;   // a first form; its row has that element alone
inline constexpr int kElementsWithTwoForms = 30; // of those, also a second form
inline constexpr int kElementRecords = 551 + 1;  // every palette element, and 9999

// 文字/Quorvelコード/<code>.gif: one per row, plus kFormCodeWithoutRow.
inline constexpr int kGlyphFiles = kRowCount + 1;
inline constexpr int kGlyphSide = 300;

} // namespace quorvel::demo
