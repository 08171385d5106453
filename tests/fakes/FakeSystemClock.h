#pragma once

#include <cstdint>
#include <vector>

#include "engine/SystemClock.h"

namespace quicktock {

// A clock for tests: it keeps milliseconds, reads like the real clock (rounded to the nearest
// whole second), records every set, and can be told to refuse being set. Its running clock
// advances with real time only, never with a set.
class FakeSystemClock final : public SystemClock {
public:
    explicit FakeSystemClock(const CivilTime& start);

    ClockDate NowLocal() override;
    void SetLocalDateTime(ClockDate value) override;
    std::int64_t RunningSeconds() override;

    // Lets real time pass.
    void Advance(std::int64_t milliseconds) {
        nowMs_ += milliseconds;
        runningMs_ += milliseconds;
    }
    CivilTime Now() const;

    const std::vector<CivilTime>& Sets() const { return sets_; }
    void RefuseSets(bool refuse) { refuseSets_ = refuse; }

private:
    std::int64_t nowMs_;                  // on the continuous local time line from 30 December 1899
    std::int64_t runningMs_ = 7'654'321;  // any phase: only differences count
    std::vector<CivilTime> sets_;
    bool refuseSets_ = false;
};

}  // namespace quicktock
