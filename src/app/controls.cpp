#include "controls.h"

#include <QLineEdit>

namespace quorvel {

Label::Label(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
}

void Label::setFramedLook()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

CommandButton::CommandButton(QWidget *parent, const QString &name, const QRect &geometry,
                             const QString &caption)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setAutoDefault(false);
}

DropDownList::DropDownList(QWidget *parent, const QString &name, const QRect &geometry,
                           const QStringList &items)
    : QComboBox(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    addItems(items);
    setCurrentIndex(-1);
    connect(this, &QComboBox::activated, this, &DropDownList::clicked);
}

void DropDownList::setListIndex(int index)
{
    setCurrentIndex(index);
    emit clicked();
}

EditableCombo::EditableCombo(QWidget *parent, const QString &name, const QRect &geometry,
                             const QStringList &items, const QString &text)
    : QComboBox(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    addItems(items);
    setText(text);
    // Finishing an edit (Return, or the focus leaving) would otherwise pick the item that matches the
    // typed text and report it as a choice from the list.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &EditableCombo::changed);
    connect(this, &QComboBox::activated, this, &EditableCombo::clicked);
}

void EditableCombo::setText(const QString &text)
{
    setEditText(text);
}

void setMousePointer(QWidget *window, MousePointer pointer)
{
    if (pointer == MousePointer::Busy)
        window->setCursor(Qt::BusyCursor);
    else
        window->unsetCursor();
}

MousePointer mousePointer(const QWidget *window)
{
    return window->testAttribute(Qt::WA_SetCursor) && window->cursor().shape() == Qt::BusyCursor
               ? MousePointer::Busy
               : MousePointer::Default;
}

} // namespace quorvel
