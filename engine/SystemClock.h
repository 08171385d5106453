#pragma once

#include <cstdint>

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

    // Sets the clock to this whole local date and time (rounded to the nearest second, sub-second
    // zero). The platform never reads the clock again to find the date: a reading taken a moment
    // later may already belong to the next day. Of the two instants of a local time that the
    // autumn change repeats, the clock goes to the one nearest to the present instant moved by the
    // local difference between the value and the present local time, so that a jump forward never
    // goes back an hour. A local time the spring change skips is resolved as the platform's own
    // local-time conversion resolves it.
    // Raises ClockSetError when the system refuses.
    virtual void SetLocalDateTime(ClockDate value) = 0;

    // Whole seconds on a clock that keeps running while the machine sleeps and that setting the
    // clock does not move. Only differences matter.
    virtual std::int64_t RunningSeconds() = 0;
};

}  // namespace quicktock
