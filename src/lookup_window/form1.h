#pragma once

#include "character_tables.h"
#include "checked_array.h"
#include "control_family.h"
#include "controls.h"
#include "form_window.h"
#include "image_control.h"

#include <cstdint>

namespace quorvel {

// The lookup window: the element palette, the selection of up to five elements, the stroke-count
// filter, the candidate lookup with its result grid, the standalone forms and the status line.
// It owns the character tables, the selection and the candidate list.
class Form1 : public FormWindow {
    Q_OBJECT

public:
    Form1();
    ~Form1() override;

    // Start-up: runs once, before the window is first shown.
    void Form_Load();

    // Event handlers, run by the controls' events (and callable directly).
    void ComboElement_Click();
    void Image1_Click(std::int16_t Index);
    void ComboTotal_Change();
    void ComboTotal_Click();
    void BtnReset_Click();
    void BtnEnd_Click();
    // Clicks on a result cell and on a standalone-form slot open the detail window.
    void Image2_Click(std::int16_t Index);
    void Image4_Click(std::int16_t Index);

    // State that other windows and tests read.
    const CharacterTables &tables() const { return tables_; }
    const CheckedArray<std::int16_t, 1, 5> &selectedElements() const { return SelectedElements; }
    const CheckedArray<std::int32_t, 1, 100> &hitCodes() const { return HitCodes; }

private:
    void buildLayout();
    void connectEvents();

    void SelectElement(std::int16_t id, std::int16_t &full);
    void DeselectElement(std::int16_t id, std::int16_t &reset);
    void RefreshSelection();
    void FindCandidates();
    void ShowStandaloneForms(const std::int16_t &id);
    void StrokeCountHandling();

    CharacterTables tables_;
    CheckedArray<std::int16_t, 1, 5> SelectedElements{"SelectedElements"};
    CheckedArray<std::int32_t, 1, 100> HitCodes{"HitCodes"};

    // The controls, by the names and indexes of the layout.
    ControlFamily<Label> Label1{"Label1"};
    EditableCombo *ComboTotal = nullptr;
    Label *LabelKakusuu = nullptr;
    DropDownList *ComboElement = nullptr;
    CommandButton *BtnReset = nullptr;
    CommandButton *BtnEnd = nullptr;
    Label *LabelTantai = nullptr;
    Label *LabelComment = nullptr;
    ControlFamily<ImageHost> Picture1{"Picture1"};
    ControlFamily<ImageControl> Image1{"Image1"};
    ControlFamily<ImageControl> Image2{"Image2"};
    ControlFamily<ImageControl> Image3{"Image3"};
    ControlFamily<ImageControl> Image4{"Image4"};
};

} // namespace quorvel
