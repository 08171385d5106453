#pragma once

#include <cstdint>
#include <vector>

#include "engine/ClockSetError.h"
#include "engine/SystemClock.h"

namespace quicktock {

// A clock for tests: it keeps milliseconds, reads like the real clock (rounded to the nearest
// whole second), records every set, and can be told to refuse being set. Its running clock
// advances with real time only, never with a set.
class FakeSystemClock final : public SystemClock {
public:
    explicit FakeSystemClock(const CivilTime& start)
        : nowMs_(ToLinearSeconds(FromCivil(start)) * 1000) {}

    ClockDate NowLocal() override { return FromLinearSeconds(Seconds(nowMs_ + 500)); }
    void SetLocalDateTime(ClockDate value) override {
        if (refuseSets_) {
            throw ClockSetError(ClockRemedy::GrantCapability, "Operation not permitted");
        }
        nowMs_ = ToLinearSeconds(value) * 1000;
        sets_.push_back(ToCivil(value));
    }
    std::int64_t RunningSeconds() override { return runningMs_ / 1000; }

    // Lets real time pass.
    void Advance(std::int64_t milliseconds) {
        nowMs_ += milliseconds;
        runningMs_ += milliseconds;
    }
    CivilTime Now() const { return ToCivil(FromLinearSeconds(Seconds(nowMs_))); }

    const std::vector<CivilTime>& Sets() const { return sets_; }
    void RefuseSets(bool refuse) { refuseSets_ = refuse; }

private:
    // Whole seconds, rounded down also before 1899, where the time line is negative.
    static std::int64_t Seconds(std::int64_t ms) { return ms / 1000 - (ms % 1000 < 0 ? 1 : 0); }

    std::int64_t nowMs_;                  // on the continuous local time line from 30 December 1899
    std::int64_t runningMs_ = 7'654'321;  // any phase: only differences count
    std::vector<CivilTime> sets_;
    bool refuseSets_ = false;
};

}  // namespace quicktock
