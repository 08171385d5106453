#pragma once

#include <cstdint>
#include <vector>

#include "engine/SystemClock.h"

namespace quicktock {

// A clock for tests: it keeps milliseconds, reads like the real clock (rounded to the nearest
// whole second), records every set, and can be told to refuse being set.
class FakeSystemClock final : public SystemClock {
public:
    explicit FakeSystemClock(const CivilTime& start, int milliseconds = 0);

    ClockDate NowLocal() override;
    void SetTimeOfDay(ClockDate value) override;

    // Lets real time pass.
    void Advance(std::int64_t milliseconds) { nowMs_ += milliseconds; }
    CivilTime Now() const;
    int Millisecond() const;

    const std::vector<CivilTime>& Sets() const { return sets_; }
    int Reads() const { return reads_; }
    void RefuseSets(bool refuse) { refuseSets_ = refuse; }

private:
    std::int64_t nowMs_;  // on the continuous local time line from 30 December 1899
    std::vector<CivilTime> sets_;
    int reads_ = 0;
    bool refuseSets_ = false;
};

}  // namespace quicktock
