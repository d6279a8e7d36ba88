// The element-group list shows the palette page of the chosen group.
#include "form1.h"

#include "conversions.h"
#include "palette_pages.h"

namespace quorvel {

void Form1::ComboElement_Click()
{
    for (int k = 0; k < kPaletteCount; ++k) {
        const std::int16_t chosen = narrowTo16(ComboElement->listIndex());
        Picture1(k).setVisible(chosen == k);
    }
}

} // namespace quorvel
