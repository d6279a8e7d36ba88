// The candidate lookup: scan the character rows, keep up to 100 hits, show their glyphs.
#include "form1.h"

#include "conversions.h"
#include "glyph_files.h"
#include "lookup_texts.h"

namespace quorvel {
namespace {

const QString kNoHits = QStringLiteral("候補がありません。");
const QString kHitsSuffix = QStringLiteral("字の候補がヒットしました。");
const QString kTooManyHits = QStringLiteral("101字以上の候補があります。");

} // namespace

void Form1::FindCandidates()
{
    setMousePointer(this, MousePointer::Busy);
    LabelComment->setCaption(kNoHits);
    for (int k = 1; k <= 100; ++k)
        HitCodes(k) = 0;
    std::int16_t h = 0;
    // Nothing can change the box while the scan runs, so its text is read once for all rows.
    const QString strokeText = ComboTotal->text();
    const bool anyStrokeCount = strokeText == kNoStrokeCount;
    const double strokeCount = anyStrokeCount ? 0.0 : textToNumber(strokeText);
    for (int r = 1; r <= kLoadedRows; ++r) {
        if (!anyStrokeCount && strokeCount != static_cast<double>(tables_.StrokeCounts(r)))
            continue;
        // Each column is compared once, with the entry at the cursor at that moment.
        bool hit = false;
        std::int16_t k = 1;
        for (int c = 2; c <= 10; ++c) {
            if (tables_.DecompositionTable(c, r) == static_cast<std::int32_t>(SelectedElements(k))) {
                k = add16(k, 1);
                if (k == 6 || SelectedElements(k) == NoEntry) {
                    hit = true;
                    break;
                }
            }
        }
        if (!hit)
            continue;
        // A 101st hit only changes the message: its code is not kept, and the scan ends there.
        if (h == 100) {
            LabelComment->setCaption(kTooManyHits);
            break;
        }
        h = add16(h, 1);
        HitCodes(h) = tables_.DecompositionTable(1, r);
        LabelComment->setCaption(numberToText(static_cast<std::int64_t>(h)) + kHitsSuffix);
    }

    // The glyph files are decoded and scaled to the cells together, then handed to the cells in
    // order, so that a file that fails at cell k leaves the cells before it filled and the others as
    // they were.
    QStringList paths;
    for (int k = 1; k <= 100 && HitCodes(k) != 0; ++k)
        paths << glyphFilePath(numberToText(static_cast<std::int64_t>(HitCodes(k))));
    const std::vector<LoadedPicture> glyphs = loadGifPictures(paths, Image2(1).stretchedSize());
    int k = 1;
    for (; k <= 100; ++k) {
        if (HitCodes(k) == 0)
            break;
        const LoadedPicture &glyph = glyphs[static_cast<std::size_t>(k - 1)];
        Image2(k).setPicture(glyph.take(), glyph.scaled);
        Image2(k).setVisible(true);
    }
    // Hidden cells keep their last pictures.
    for (int j = k; j <= 100; ++j)
        Image2(j).setVisible(false);
    LabelTantai->setCaption(QString());
    // With one element picked, or none, its standalone forms are shown.
    if (SelectedElements(2) == NoEntry) {
        ShowStandaloneForms(SelectedElements(1));
    } else {
        Image4(0).setVisible(false);
        Image4(1).setVisible(false);
    }
    // Always the default pointer, whatever it was before the lookup.
    setMousePointer(this, MousePointer::Default);
}

} // namespace quorvel
