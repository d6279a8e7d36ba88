#pragma once

#include "control_family.h"
#include "controls.h"
#include "form_window.h"
#include "image_control.h"

namespace quorvel {

// The detail window: one character's large glyph, code, total stroke count, corresponding Chinese
// characters and, in a row below the glyph, the pictures of its elements. It has no behaviour of its
// own: the main window's clicks fill it. It is a top-level window without an owner, and closing it
// destroys it, so that the next use builds it again from its layout.
class Form2 : public FormWindow {
    Q_OBJECT

public:
    // The one instance: the loaded window, or, when none is loaded, a new one from the layout, hidden.
    static Form2 &load();
    // The loaded window; nullptr before the first load and once the user has closed it.
    static Form2 *loaded();

    // The controls, by the names and indexes of the layout; they are filled from outside.
    ImageControl *Image1 = nullptr;               // the large glyph
    ControlFamily<ImageControl> Image2{"Image2"}; // the element row: member j for element column j, 2 to 10
    ControlFamily<Label> Label1{"Label1"};        // 0 code, 1 stroke count, 3 Chinese characters, 2 heading

private:
    Form2();
    void buildLayout();
};

} // namespace quorvel
