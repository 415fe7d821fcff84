#pragma once
#include <functional>
#include <thread>

// Loads fontconfig's configuration and font caches on a thread of its own
// while the main thread connects to the display and loads Qt's plugins, so
// that the first text the main window measures finds them ready. Reading the
// configuration is the largest single step before the window maps (about a
// third of the instructions up to then), and nothing the application does
// before its first window needs a font.
//
// wait() returns once the work has run; later calls return at once, and the
// destructor waits too. When no thread can be started nothing runs here and
// Qt loads fontconfig itself when it first needs it, as it always would.
class FontConfigWarmup {
public:
    FontConfigWarmup();  // runs FcInit()
    // The work to run instead (tests).
    explicit FontConfigWarmup(std::function<void()> work);
    ~FontConfigWarmup();
    FontConfigWarmup(const FontConfigWarmup&) = delete;
    FontConfigWarmup& operator=(const FontConfigWarmup&) = delete;

    void wait();

private:
    std::thread mThread;
};
