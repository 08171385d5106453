#pragma once

#include <cstdint>

#include "engine/ClockDate.h"

namespace quicktock {

// What the clock engine remembers between ticks. Nothing of it is saved.
struct EngineState {
    enum RunModeValue : std::int16_t { kIdle = 0, kAccelerating = 1, kNormal = 2 };

    ClockDate StartTime = 0;        // the clock reading at start-up: origin of the counted time
    std::int64_t StartRunning = 0;  // the running seconds at start-up
    ClockDate Elapsed = 0;          // whole seconds of real time since start-up, at the last tick
    std::int16_t RunMode = kIdle;
    std::int16_t MinutesLeft = 0;  // accelerated clock minutes still allowed by the minute limit
    std::int16_t LastSecond = -1;  // the second of the minute read by the previous tick
};

}  // namespace quicktock
