// The fontconfig warm-up runs beside start-up and is finished before the first
// window needs a font.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "FontConfigWarmup.h"

namespace {

using namespace std::chrono_literals;

TEST(FontConfigWarmup, RunsOnAThreadOfItsOwnWhileTheCallerGoesOn) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> ranElsewhere{false};
    std::atomic<bool> wasReleased{false};
    const auto caller = std::this_thread::get_id();
    FontConfigWarmup warmup([&] {
        ranElsewhere = std::this_thread::get_id() != caller;
        // Run on the caller's thread, the work would still be waiting here
        // when the constructor returned, and time out.
        wasReleased = released.wait_for(5s) == std::future_status::ready;
    });
    release.set_value();  // only reached once the constructor has returned
    warmup.wait();
    EXPECT_TRUE(ranElsewhere);
    EXPECT_TRUE(wasReleased);
}

TEST(FontConfigWarmup, WaitReturnsOnlyOnceTheWorkIsDoneAndAgainAtOnce) {
    std::atomic<bool> done{false};
    FontConfigWarmup warmup([&] {
        std::this_thread::sleep_for(50ms);
        done = true;
    });
    warmup.wait();
    EXPECT_TRUE(done);
    warmup.wait();  // joined already: must neither block nor throw
}

TEST(FontConfigWarmup, GoingOutOfScopeWaitsForTheWork) {
    std::atomic<bool> done{false};
    {
        FontConfigWarmup warmup([&] {
            std::this_thread::sleep_for(50ms);
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

}  // namespace
