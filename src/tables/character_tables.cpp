#include "character_tables.h"

#include "runtime_failure.h"
#include "sequential_input.h"

namespace quorvel {

void readDecompositionRecords(SequentialInput &file, CharacterTables &tables)
{
    for (int r = 1; r <= kLoadedRows; ++r) {
        for (int c = 1; c <= 10; ++c)
            tables.DecompositionTable(c, r) = file.readInt32({r, c});
        tables.StrokeCounts(r) = file.readInt16({r, 11});
        tables.KanjiEquivalents(r) = file.readText({r, 12});
    }
}

void readElementFormRecords(SequentialInput &file, CharacterTables &tables)
{
    for (int record = 1;; ++record) {
        const std::int16_t e = file.readInt16({record, 1});
        // The id selects the entries: it is tested before the record's values are read.
        if (e < 1 || e > 9999)
            file.failAtLastField(FailureKind::IndexOutOfRange, {record, 1},
                                 QStringLiteral("要素番号 %1 は 1 から 9999 の範囲外です").arg(e));
        tables.ElementForms(1, e) = file.readUntyped({record, 2});
        tables.ElementForms(2, e) = file.readUntyped({record, 3});
        if (e == NoEntry)
            break;
    }
}

void loadCharacterTables(CharacterTables &tables)
{
    SequentialInput file1(QStringLiteral("./") + kDecompositionFile);
    readDecompositionRecords(file1, tables);
    SequentialInput file2(QStringLiteral("./") + kElementFormsFile);
    readElementFormRecords(file2, tables);
    file1.close();
    file2.close();
}

} // namespace quorvel
