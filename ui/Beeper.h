#pragma once

// The platform's default alert sound.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};
