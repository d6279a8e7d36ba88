// The reset and exit buttons.
#include "form1.h"

#include <QCoreApplication>

namespace quorvel {

void Form1::BtnReset_Click()
{
    // 1.
    LabelKakusuu->setCaption(QString());
    // 2.
    LabelTantai->setCaption(QString());
    // 3. Setting the text from code runs no stroke-count handling.
    ComboTotal->setText(QStringLiteral("なし"));
    // 4. The cells keep their pictures.
    for (int k = 1; k <= 100; ++k)
        Image2(k).setVisible(false);
    // 5. Each entry is tested by itself.
    for (int k = 1; k <= 5; ++k) {
        if (SelectedElements(k) != NoEntry) {
            Image1(SelectedElements(k)).setAppearance(ImageControl::Flat);
            Image1(SelectedElements(k)).setBorderStyle(ImageControl::NoBorder);
            SelectedElements(k) = NoEntry;
        }
        Image3(k).setPicture(Image2(0).picture());
    }
    // 6.
    Image4(0).setVisible(false);
    Image4(1).setVisible(false);
    // 7.
    LabelComment->setCaption(QString());
}

void Form1::BtnEnd_Click()
{
    // 1. Unload the lookup window.
    hide();
    // 2. The program ends at once, the detail window with it.
    endProgram();
}

} // namespace quorvel
