// Selecting and deselecting palette elements.
#include "element_look.h"
#include "form1.h"
#include "lookup_texts.h"

#include <utility>

namespace quorvel {

void Form1::Image1_Click(std::int16_t Index)
{
    std::int16_t outcome = 0;
    // The look decides, not the selection array.
    if (elementLook(Image1(Index)) == ElementLook::Plain)
        SelectElement(Index, outcome);
    else
        DeselectElement(Index, outcome);
    // Refused (five selected) or reset: nothing more.
    if (outcome == 0) {
        RefreshSelection();
        FindCandidates();
    }
}

void Form1::SelectElement(std::int16_t id, std::int16_t &full)
{
    if (SelectedElements(5) != NoEntry) {
        full = 1;
        return;
    }
    setElementLook(Image1(id), ElementLook::Selected);
    // The lowest empty entry; the sort comes later.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) == NoEntry) {
            SelectedElements(k) = id;
            break;
        }
    }
}

void Form1::DeselectElement(std::int16_t id, std::int16_t &reset)
{
    setElementLook(Image1(id), ElementLook::Plain);
    // Only the entry after the removed one moves up; the sort closes any remaining gap.
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
    const bool noStrokeCount = ComboTotal->text() == kNoStrokeCount;
    const bool noneSelected = SelectedElements(1) == NoEntry;
    if (noStrokeCount && noneSelected) {
        BtnReset_Click();
        reset = 1;
    }
}

void Form1::RefreshSelection()
{
    // Bubble sort, ascending; NoEntry is above every element id, so empty entries end last.
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 5 - i; ++j)
            if (SelectedElements(j) > SelectedElements(j + 1))
                std::swap(SelectedElements(j), SelectedElements(j + 1));
    // Every slot, changed or not.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) == NoEntry)
            Image3(k).setPicture(Image2(0).picture());
        else
            Image3(k).setPicture(Image1(SelectedElements(k)).picture());
    }
}

} // namespace quorvel
