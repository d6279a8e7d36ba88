#pragma once

#include "image_control.h"

namespace quorvel {

// A top-level window of the system: a caption, a client area of fixed layout that hosts windowless
// image controls, and a sizable frame whose resizing moves no control.
class FormWindow : public ImageHost {
    Q_OBJECT

public:
    FormWindow(const QString &name, const QString &caption, const QSize &clientSize);

    // Places the top-left corner of the client area on the screen.
    void placeClientAt(const QPoint &topLeft);
    // Shows the window without blocking the others.
    void showModeless();
};

} // namespace quorvel

namespace quorvel {

// Ends the program normally (exit status 0) at once: every window closes and no further event is
// handled.
void closeAllWindowsAndQuit();

} // namespace quorvel
