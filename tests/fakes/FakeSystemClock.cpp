#include "tests/fakes/FakeSystemClock.h"

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

FakeSystemClock::FakeSystemClock(const CivilTime& start, int milliseconds)
    : nowMs_(ToLinearSeconds(FromCivil(start)) * 1000 + milliseconds) {}

ClockDate FakeSystemClock::NowLocal() {
    ++reads_;
    return FromLinearSeconds(FloorDiv(nowMs_ + 500, 1000));
}

void FakeSystemClock::SetTimeOfDay(ClockDate value) {
    if (refuseSets_) {
        throw ClockSetError("The system clock could not be set (Operation not permitted).");
    }
    const std::int64_t today = FloorDiv(FloorDiv(nowMs_ + 500, 1000), 86400);
    const std::int64_t wanted = ToLinearSeconds(value);
    const std::int64_t timeOfDay = wanted - FloorDiv(wanted, 86400) * 86400;
    nowMs_ = (today * 86400 + timeOfDay) * 1000;
    sets_.push_back(ToCivil(value));
}

CivilTime FakeSystemClock::Now() const {
    return ToCivil(FromLinearSeconds(FloorDiv(nowMs_, 1000)));
}

int FakeSystemClock::Millisecond() const {
    return static_cast<int>(nowMs_ - FloorDiv(nowMs_, 1000) * 1000);
}

}  // namespace quicktock
