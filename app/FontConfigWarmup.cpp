#include "FontConfigWarmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontConfigWarmup::FontConfigWarmup() : FontConfigWarmup([] { FcInit(); }) {}

FontConfigWarmup::FontConfigWarmup(std::function<void()> work) {
    try {
        mThread = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // No thread: Qt initialises fontconfig on the main thread later.
    }
}

FontConfigWarmup::~FontConfigWarmup() { wait(); }

void FontConfigWarmup::wait() {
    if (mThread.joinable()) mThread.join();
}
