#include "form_window.h"

#include <QApplication>

namespace quorvel {

FormWindow::FormWindow(const QString &name, const QString &caption, const QSize &clientSize)
    : ImageHost(nullptr, Frame::None)
{
    setObjectName(name);
    setWindowTitle(caption);
    resize(clientSize);
}

void FormWindow::placeClientAt(const QPoint &topLeft)
{
    setGeometry(QRect(topLeft, size()));
}

void FormWindow::showModeless()
{
    show();
    raise();
}

void closeAllWindowsAndQuit()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace quorvel
