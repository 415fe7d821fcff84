#pragma once

// The program's one uniform generator. Rnd() returns a single-precision value
// in [0, 1); Randomize() reseeds it from the clock.
class Random {
public:
    virtual ~Random() = default;
    virtual float Rnd() = 0;
    virtual void Randomize() = 0;
};
