// The stroke-count box: every edit by the user and every choice from its list.
#include "form1.h"

#include "lookup_texts.h"

namespace quorvel {

void Form1::ComboTotal_Change()
{
    StrokeCountHandling();
}

void Form1::ComboTotal_Click()
{
    StrokeCountHandling();
}

void Form1::StrokeCountHandling()
{
    // Exact comparison: no folding of case, width or blanks.
    const QString text = ComboTotal->text();
    if (text == kNoStrokeCount) {
        LabelKakusuu->setCaption(QString());
        // Nothing selected: the window is reset instead of looked up.
        if (SelectedElements(1) == NoEntry) {
            BtnReset_Click();
            return;
        }
    } else {
        // Shown unchanged, the empty text and typed text included.
        LabelKakusuu->setCaption(text);
    }
    FindCandidates();
}

} // namespace quorvel
