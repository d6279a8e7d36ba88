#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace quorvel {

// A label: plain text only (a caption is never read as markup), no frame unless asked for.
class Label : public QLabel {
    Q_OBJECT

public:
    Label(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    void setFontSize(int points);
    // White ground, sunken three-dimensional single frame, centred text.
    void setFramedLook();
};

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption);
};

// A drop-down list without an edit field. Its click runs on a user's choice and, at once, whenever
// code sets the chosen item.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    DropDownList(QWidget *parent, const QString &name, const QRect &geometry, const QStringList &items);

    int listIndex() const { return currentIndex(); }
    void setListIndex(int index);

signals:
    void clicked();
};

// A drop-down combo box with an edit field. Each edit by the user runs its change, each choice from
// the list its click; setting the text from code runs neither. Typed text is never completed inline
// nor added to the list.
class EditableCombo : public QComboBox {
    Q_OBJECT

public:
    EditableCombo(QWidget *parent, const QString &name, const QRect &geometry, const QStringList &items,
                  const QString &text);

    QString text() const { return currentText(); }
    void setText(const QString &text);

signals:
    void changed();
    void clicked();
};

// The main window's mouse pointer.
enum class MousePointer { Default, Busy };
void setMousePointer(QWidget *window, MousePointer pointer);
MousePointer mousePointer(const QWidget *window);

} // namespace quorvel
