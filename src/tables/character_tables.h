#pragma once

#include "checked_array.h"
#include "untyped_value.h"

#include <QString>

#include <cstdint>

namespace quorvel {

class SequentialInput;

// Marks an empty element column, an empty selection slot and (as the text "9999") a row without a
// corresponding Chinese character; as an element id it ends the standalone-form file.
inline constexpr std::int16_t NoEntry = 9999;
inline const QString kNoKanjiText = QStringLiteral("9999");

// The number of character rows read at start-up and scanned by every lookup.
inline constexpr int kLoadedRows = 2199;

inline const QString kDecompositionFile = QStringLiteral("文字分解表.csv");
inline const QString kElementFormsFile = QStringLiteral("文字要素.csv");

// The character tables of the lookup window: filled once at start-up, read-only afterwards.
struct CharacterTables {
    // Column 1 the character code, columns 2 to 10 its element ids (NoEntry where there is none).
    CheckedArray2D<std::int32_t, 1, 10, 1, 10000> DecompositionTable{"DecompositionTable"};
    CheckedArray<std::int16_t, 1, 10000> StrokeCounts{"StrokeCounts"};
    CheckedArray<QString, 1, 10000> KanjiEquivalents{"KanjiEquivalents"};
    // The first and the second standalone form of each element id: a code, or 0 or empty for none.
    CheckedArray2D<UntypedValue, 1, 2, 1, 9999> ElementForms{"ElementForms"};
};

// Reads exactly the first 2199 records of the decomposition file into rows 1 to 2199.
void readDecompositionRecords(SequentialInput &file, CharacterTables &tables);

// Reads standalone-form records up to and including the one with element id 9999.
void readElementFormRecords(SequentialInput &file, CharacterTables &tables);

// Opens both data files in the current directory, reads them and closes them.
void loadCharacterTables(CharacterTables &tables);

} // namespace quorvel
