#pragma once
#include <cstdint>

// Milliseconds since an arbitrary start, 32-bit unsigned and wrapping like the
// multimedia timer the program times runs with. Differences are taken modulo 2^32.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t timeGetTime() = 0;
};
