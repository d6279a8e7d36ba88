#pragma once

#include <QPoint>
#include <QRegion>

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// The benchmarks' one connection to the X server, held for the whole run so that the server never
// resets between the programs it starts. It sees every top-level window as it is created and
// records when each is drawn (DAMAGE), and it clicks as a user does (XTEST).
class XWatch {
public:
    XWatch();
    ~XWatch();
    XWatch(const XWatch &) = delete;
    XWatch &operator=(const XWatch &) = delete;

    // Empty when the display, DAMAGE or XTEST is missing; otherwise what went wrong.
    const std::string &failure() const { return failure_; }

    // What a window drew until it went quiet.
    struct Drawing {
        long long lastDamageNs = 0; // CLOCK_MONOTONIC; 0 when nothing was drawn
        QRegion damaged;            // window coordinates
    };

    // The first top-level window mapped after `sinceNs` (as given by now()), or 0 after `timeoutMs`.
    unsigned long waitForMappedWindow(long long sinceNs, int timeoutMs);
    // What the window drew since the last call for it, once `quietMs` passed without any damage
    // (or `timeoutMs` in all); a window that drew nothing yet is waited for.
    Drawing waitUntilQuiet(unsigned long window, int quietMs, int timeoutMs);
    // The window's top-left corner on the screen.
    QPoint origin(unsigned long window);
    // Moves the pointer, as a user does, without clicking.
    void movePointer(const QPoint &screenPos);
    // Moves the pointer off every window a benchmark starts: to the bottom-right corner.
    void parkPointer();
    // Presses and releases the left button at `screenPos`; the time of the press.
    long long click(const QPoint &screenPos);

    static long long now();

private:
    // Handles the events that have arrived, or else waits for some until `untilNs`.
    void pump(long long untilNs);

    struct _XDisplay *display_ = nullptr;
    int damageEvent_ = 0;
    std::string failure_;
    std::map<unsigned long, unsigned long> damages_;          // window -> its damage object
    std::vector<std::pair<long long, unsigned long>> mapped_; // (time, window)
    std::map<unsigned long, Drawing> drawings_;
};
