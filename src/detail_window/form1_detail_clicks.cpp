// Clicks on a result cell and on a standalone-form slot open the detail window for that character.
#include "form1.h"

#include "conversions.h"
#include "detail_fill.h"

namespace quorvel {

void Form1::Image2_Click(std::int16_t Index)
{
    // Read where the fill uses it, each time with its index test.
    const auto candidateCode = [this, Index] { return HitCodes(Index); };
    DetailFill(Image2(Index), candidateCode, tables_, Image1);
}

void Form1::Image4_Click(std::int16_t Index)
{
    // The code is taken once, before the detail window is touched: a value that is no 32-bit
    // integer fails here and leaves the window as it was.
    const std::int16_t p = add16(Index, 1);
    const std::int16_t e = SelectedElements(1);
    const std::int32_t code = tables_.ElementForms(p, e).toInt32();
    const auto takenCode = [code] { return code; };
    DetailFill(Image4(Index), takenCode, tables_, Image1);
}

} // namespace quorvel
