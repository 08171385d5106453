#include "tests/fakes/FakeSystemClock.h"

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

FakeSystemClock::FakeSystemClock(const CivilTime& start)
    : nowMs_(ToLinearSeconds(FromCivil(start)) * 1000) {}

ClockDate FakeSystemClock::NowLocal() {
    return FromLinearSeconds(FloorDiv(nowMs_ + 500, 1000));
}

void FakeSystemClock::SetLocalDateTime(ClockDate value) {
    if (refuseSets_) {
        throw ClockSetError(ClockRemedy::GrantCapability, "Operation not permitted");
    }
    nowMs_ = ToLinearSeconds(value) * 1000;
    sets_.push_back(ToCivil(value));
}

std::int64_t FakeSystemClock::RunningSeconds() {
    return runningMs_ / 1000;
}

CivilTime FakeSystemClock::Now() const {
    return ToCivil(FromLinearSeconds(FloorDiv(nowMs_, 1000)));
}

}  // namespace quicktock
