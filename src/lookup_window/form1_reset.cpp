// The reset and exit buttons.
#include "element_look.h"
#include "form1.h"
#include "lookup_texts.h"

#include <QCoreApplication>

namespace quorvel {

void Form1::BtnReset_Click()
{
    LabelKakusuu->setCaption(QString());
    LabelTantai->setCaption(QString());
    // Setting the text from code runs no stroke-count handling.
    ComboTotal->setText(QString::fromUtf16(kNoStrokeCount));
    // The cells keep their pictures.
    for (int k = 1; k <= 100; ++k)
        Image2(k).setVisible(false);
    // Each entry is tested by itself.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) != NoEntry) {
            setElementLook(Image1(SelectedElements(k)), ElementLook::Plain);
            SelectedElements(k) = NoEntry;
        }
        Image3(k).setPicture(Image2(0).picture());
    }
    Image4(0).setVisible(false);
    Image4(1).setVisible(false);
    LabelComment->setCaption(QString());
}

void Form1::BtnEnd_Click()
{
    hide();
    // The program ends at once, the detail window with it.
    closeAllWindowsAndQuit();
}

} // namespace quorvel
