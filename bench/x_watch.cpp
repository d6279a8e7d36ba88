#include "x_watch.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <algorithm>
#include <ctime>
#include <utility>

namespace {

// A window may be gone before its damage object is made: such errors are expected, not fatal.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

XWatch::XWatch()
{
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        failure_ = "cannot open the X display (DISPLAY unset or wrong)";
        return;
    }
    XSetErrorHandler(ignoreErrors);
    int damageError = 0;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XDamageQueryExtension(display_, &damageEvent_, &damageError))
        failure_ = "the X server has no DAMAGE extension";
    else if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        failure_ = "the X server has no XTEST extension";
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
}

XWatch::~XWatch()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

long long XWatch::now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

void XWatch::pump(long long untilNs)
{
    for (bool waited = false;; waited = true) {
        bool handled = false;
        while (XPending(display_) > 0) {
            handled = true;
            XEvent e;
            XNextEvent(display_, &e);
            const long long at = now();
            if (e.type == CreateNotify) {
                // Watched from its creation, so that no drawing can come before the damage object.
                damages_[e.xcreatewindow.window] =
                    XDamageCreate(display_, e.xcreatewindow.window, XDamageReportRawRectangles);
            } else if (e.type == DestroyNotify) {
                damages_.erase(e.xdestroywindow.window);
                drawings_.erase(e.xdestroywindow.window);
            } else if (e.type == MapNotify && !e.xmap.override_redirect) {
                mapped_.emplace_back(at, e.xmap.window);
            } else if (e.type == damageEvent_ + XDamageNotify) {
                const auto &d = reinterpret_cast<const XDamageNotifyEvent &>(e);
                Drawing &drawing = drawings_[d.drawable];
                drawing.lastDamageNs = at;
                drawing.damaged += QRect(d.area.x, d.area.y, d.area.width, d.area.height);
            }
        }
        const long long left = untilNs - now();
        if (handled || waited || left <= 0)
            return;
        pollfd p{ConnectionNumber(display_), POLLIN, 0};
        poll(&p, 1, static_cast<int>(std::max(1LL, left / 1000000)));
    }
}

unsigned long XWatch::waitForMappedWindow(long long sinceNs, int timeoutMs)
{
    const long long end = now() + timeoutMs * 1000000LL;
    do {
        pump(std::min(end, now() + 5000000LL));
        for (const auto &[at, window] : mapped_)
            if (at >= sinceNs)
                return window;
    } while (now() < end);
    return 0;
}

XWatch::Drawing XWatch::waitUntilQuiet(unsigned long window, int quietMs, int timeoutMs)
{
    const long long end = now() + timeoutMs * 1000000LL;
    pump(now());
    for (;;) {
        const long long last = drawings_[window].lastDamageNs;
        const long long quietEnd = last != 0 ? last + quietMs * 1000000LL : end;
        if (now() >= std::min(quietEnd, end))
            break;
        pump(std::min(quietEnd, end));
    }
    return std::exchange(drawings_[window], {});
}

QPoint XWatch::origin(unsigned long window)
{
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return QPoint(x, y);
}

void XWatch::movePointer(const QPoint &screenPos)
{
    XTestFakeMotionEvent(display_, -1, screenPos.x(), screenPos.y(), CurrentTime);
    XSync(display_, False);
}

void XWatch::parkPointer()
{
    movePointer(QPoint(DisplayWidth(display_, DefaultScreen(display_)) - 1,
                       DisplayHeight(display_, DefaultScreen(display_)) - 1));
}

long long XWatch::click(const QPoint &screenPos)
{
    movePointer(screenPos);
    const long long at = now();
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XFlush(display_);
    return at;
}
