#pragma once

#include <future>
#include <thread>

namespace quorvel {

// Font set-up (the font configuration, the font database, the default font and the fallback for
// Japanese text) costs tens of milliseconds the first time text is laid out. This does that work
// on a worker thread while the main thread connects to the display and builds the window; the
// main thread then finds it done (or waits for the rest of it on the font database's own lock).
class FontWarmUp {
public:
    // Starts with what needs no application: the font configuration.
    FontWarmUp();
    // Waits for the worker; it must end while the application still exists.
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Call once the application exists: goes on with the font database and the fonts themselves.
    void applicationReady();

private:
    std::promise<bool> ready_;
    std::thread worker_;
};

} // namespace quorvel
