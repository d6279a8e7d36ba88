#include "form1.h"

#include "conversions.h"
#include "lookup_texts.h"
#include "runtime_failure.h"
#include "twips.h"

namespace quorvel {

Form1::Form1()
    : FormWindow(QStringLiteral("Form1"), QString::fromUtf16(kMainCaption), QSize(px(15240), px(10185)))
{
    placeClientAt(QPoint(px(60), px(450)));
    buildLayout();
    connectEvents();
}

Form1::~Form1() = default;

void Form1::connectEvents()
{
    // Each event runs its handler to its end; a failure in it takes the program's failure path.
    connect(ComboElement, &DropDownList::clicked, this,
            [this] { runGuarded([this] { ComboElement_Click(); }); });
    connect(ComboTotal, &EditableCombo::changed, this,
            [this] { runGuarded([this] { ComboTotal_Change(); }); });
    connect(ComboTotal, &EditableCombo::clicked, this,
            [this] { runGuarded([this] { ComboTotal_Click(); }); });
    connect(BtnReset, &QPushButton::clicked, this, [this] { runGuarded([this] { BtnReset_Click(); }); });
    connect(BtnEnd, &QPushButton::clicked, this, [this] { runGuarded([this] { BtnEnd_Click(); }); });
    for (ImageControl *element : Image1.members())
        connect(element, &ImageControl::clicked, this,
                [this](int id) { runGuarded([this, id] { Image1_Click(narrowTo16(id)); }); });
    for (ImageControl *cell : Image2.members())
        connect(cell, &ImageControl::clicked, this,
                [this](int k) { runGuarded([this, k] { Image2_Click(narrowTo16(k)); }); });
    for (ImageControl *slot : Image4.members())
        connect(slot, &ImageControl::clicked, this,
                [this](int k) { runGuarded([this, k] { Image4_Click(narrowTo16(k)); }); });
}

} // namespace quorvel
