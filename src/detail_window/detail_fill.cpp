// The detail fill: the detail window for one character, from its glyph source and its code.
#include "detail_fill.h"

#include "conversions.h"
#include "detail_texts.h"
#include "form2.h"

#include <algorithm>
#include <optional>

namespace quorvel {
namespace {

// The last row that the scan may look at; only the rows loaded at start-up hold characters.
constexpr int kLastScannedRow = 9999;

} // namespace

void DetailFill(const ImageControl &glyphSource, const std::function<std::int32_t()> &code,
                const CharacterTables &tables, const ControlFamily<ImageControl> &palette)
{
    Form2 &form = Form2::load();

    // The same picture, shared: nothing is loaded again.
    form.Image1->setPicture(glyphSource.picture());

    // The rows past those loaded hold code 0 and element ids 0, which no palette element has: they
    // are never a character's row. A code that no loaded row holds (only a standalone form can bring
    // one) finds no row, and the window then shows the glyph and the code with no elements, no stroke
    // count and no Chinese characters.
    std::optional<std::int16_t> row;
    const std::int32_t wanted = code();
    for (std::int16_t i = 1; i <= std::min(kLastScannedRow, kLoadedRows); ++i) {
        if (tables.DecompositionTable(1, i) == wanted) {
            row = i;
            break;
        }
    }

    // Without a row every column counts as empty.
    for (std::int16_t j = 2; j <= 10; ++j) {
        ImageControl &cell = form.Image2(j);
        const std::int32_t v = row ? tables.DecompositionTable(j, *row) : std::int32_t{NoEntry};
        if (v == NoEntry) {
            // It keeps its picture.
            cell.setVisible(false);
        } else {
            const std::int16_t id = narrowTo16(v);
            cell.setPicture(palette(id).picture());
            cell.setVisible(true);
        }
    }

    form.Label1(0).setCaption(QString::fromUtf16(kCodeCaption) +
                              numberToText(static_cast<std::int64_t>(code())));

    form.Label1(1).setCaption(
        QString::fromUtf16(kStrokesCaption) +
        (row ? numberToText(static_cast<std::int64_t>(tables.StrokeCounts(*row))) : QString()));

    const QString kanji = row ? tables.KanjiEquivalents(*row) : QString();
    const QString kanjiCaption = QString::fromUtf16(kKanjiCaption);
    form.Label1(3).setCaption(kanji == kNoKanjiText ? kanjiCaption : kanjiCaption + kanji);

    form.showModeless();
}

} // namespace quorvel
