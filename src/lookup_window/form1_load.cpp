// Start-up of the lookup window.
#include "form1.h"

namespace quorvel {

void Form1::Form_Load()
{
    LabelKakusuu->setFontSize(12);
    // Choosing group 0 runs its click at once: page 0 is shown before any file is opened.
    ComboElement->setListIndex(0);
    // Both data files from the current directory, read and closed.
    loadCharacterTables(tables_);
    for (int k = 1; k <= 5; ++k)
        SelectedElements(k) = NoEntry;
}

} // namespace quorvel
