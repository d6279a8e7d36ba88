// The standalone forms (単体字) of the one selected element, or of NoEntry when none is selected.
#include "form1.h"

#include "gif_picture.h"
#include "glyph_files.h"

namespace quorvel {

void Form1::ShowStandaloneForms(const std::int16_t &id)
{
    for (int k = 0; k <= 1; ++k) {
        const UntypedValue &v = tables_.ElementForms(k + 1, id);
        // The empty value counts as 0.
        if (!v.equalsZero()) {
            // The value itself names the file, not narrowed: a code above 32767 keeps its digits.
            Image4(k).setPicture(loadGifPicture(glyphFilePath(v.toNumberText())));
            Image4(k).setVisible(true);
            LabelTantai->setCaption(QStringLiteral("単体字"));
        } else {
            // It keeps its picture.
            Image4(k).setVisible(false);
        }
    }
}

} // namespace quorvel
