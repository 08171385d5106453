#pragma once

#include "engine/SystemClock.h"

namespace quicktock {

// The machine's real clock. Only the shipped program's main creates one: setting it moves the
// clock of the whole machine.
class OsSystemClock final : public SystemClock {
public:
    ClockDate NowLocal() override;
    void SetLocalDateTime(ClockDate value) override;
    std::int64_t RunningSeconds() override;
};

}  // namespace quicktock
