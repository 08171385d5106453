#pragma once

#include <gtest/gtest.h>

#include "engine/ClockEngine.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/fakes/RecordingEngineView.h"

namespace quicktock {

// An engine after its start-up reset, on a fake clock that starts on a whole second.
class EngineFixture : public ::testing::Test {
protected:
    explicit EngineFixture(CivilTime start = {2026, 12, 6, 10, 0, 0}) : clock(start) {
        engine.Reset();
    }

    void SetCheck(EngineView::CheckBox box, std::int16_t value) { view.checks[box] = value; }

    // One timer interval later, one tick.
    void TickAfter(std::int64_t milliseconds) {
        clock.Advance(milliseconds);
        engine.Tick();
    }

    std::int64_t ClockSeconds() const { return ToLinearSeconds(FromCivil(clock.Now())); }

    FakeSystemClock clock;
    RecordingEngineView view;
    ClockEngine engine{clock, view, DateTimeSeparators{}};
};

}  // namespace quicktock
