#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) for driving the real program as a person would: xdotool finds windows
// and moves the mouse; Xlib takes screenshots and closes windows by their close box.
class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    bool isReady() const { return display_ != nullptr; }
    QString displayName() const { return name_; }

    // xdotool with these arguments; its standard output, trimmed.
    QString xdotool(const QStringList &arguments) const;
    // The first window whose caption is `caption`, waiting up to `ms`; 0 when there is none.
    unsigned long findWindow(const QString &caption, int ms = 10000) const;
    bool windowExists(const QString &caption) const { return findWindow(caption, 0) != 0; }
    QRect geometry(unsigned long window) const;
    void click(const QPoint &screenPos) const;
    // Two clicks in quick succession, as a double-click.
    void doubleClick(const QPoint &screenPos) const;
    // Asks the window to close, as its close box does.
    void closeWindow(unsigned long window) const;
    QImage screenshot() const;

private:
    QString name_;
    QProcess server_;
    struct _XDisplay *display_ = nullptr;
};
