// Selecting and deselecting palette elements. A palette element's look is its selection state:
// flat without a frame when not selected, three-dimensional with a single frame when selected.
#include "form1.h"

#include <utility>

namespace quorvel {

void Form1::Image1_Click(std::int16_t Index)
{
    // 1.
    std::int16_t outcome = 0;
    // 2. The look decides, not the selection array.
    if (Image1(Index).appearance() == ImageControl::Flat)
        SelectElement(Index, outcome);
    else
        DeselectElement(Index, outcome);
    // 3. Refused (five selected) or reset: nothing more.
    if (outcome == 0) {
        RefreshSelection();
        FindCandidates();
    }
}

void Form1::SelectElement(std::int16_t id, std::int16_t &full)
{
    // 1.
    if (SelectedElements(5) != NoEntry) {
        full = 1;
        return;
    }
    // 2.
    Image1(id).setAppearance(ImageControl::ThreeD);
    Image1(id).setBorderStyle(ImageControl::FixedSingle);
    // 3. The lowest empty entry; the sort comes later.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) == NoEntry) {
            SelectedElements(k) = id;
            break;
        }
    }
}

void Form1::DeselectElement(std::int16_t id, std::int16_t &reset)
{
    // 1.
    Image1(id).setAppearance(ImageControl::Flat);
    Image1(id).setBorderStyle(ImageControl::NoBorder);
    // 2. Only the entry after the removed one moves up; the sort closes any remaining gap.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) == id) {
            if (k < 5) {
                SelectedElements(k) = SelectedElements(k + 1);
                SelectedElements(k + 1) = NoEntry;
            } else {
                SelectedElements(5) = NoEntry;
            }
        }
    }
    // 3.
    const bool noStrokeCount = ComboTotal->text() == QStringLiteral("なし");
    const bool noneSelected = SelectedElements(1) == NoEntry;
    // 4.
    if (noStrokeCount && noneSelected) {
        BtnReset_Click();
        reset = 1;
    }
}

void Form1::RefreshSelection()
{
    // 1. Bubble sort, ascending; NoEntry is above every element id, so empty entries end last.
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 5 - i; ++j)
            if (SelectedElements(j) > SelectedElements(j + 1))
                std::swap(SelectedElements(j), SelectedElements(j + 1));
    // 2. Every slot, changed or not.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) == NoEntry)
            Image3(k).setPicture(Image2(0).picture());
        else
            Image3(k).setPicture(Image1(SelectedElements(k)).picture());
    }
}

} // namespace quorvel
