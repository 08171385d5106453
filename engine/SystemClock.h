#pragma once

#include "engine/ClockDate.h"

namespace quicktock {

// The system clock as the engine sees it. The shipped program's main creates the one real
// clock; everything else receives a clock by reference, and tests hand in a fake.
class SystemClock {
public:
    virtual ~SystemClock() = default;

    // The current local date and time, rounded to the nearest whole second. Rounding rather than
    // cutting matters: right after a jump the clock stands on a whole second, and a tick that
    // comes a fraction of a millisecond early must still read the next second.
    virtual ClockDate NowLocal() = 0;

    // Sets the clock's local hour, minute and second to those of the value (rounded to the
    // nearest second), with the sub-second part zero; the clock's calendar date stays.
    // Raises ClockSetError when the system refuses.
    virtual void SetTimeOfDay(ClockDate value) = 0;
};

}  // namespace quicktock
