#pragma once

#include <gtest/gtest.h>

#include "engine/ClockEngine.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/fakes/RecordingEngineView.h"

namespace quicktock {

// An engine after its start-up reset, on a fake clock that starts on a whole second.
struct EngineRig {
    explicit EngineRig(CivilTime start = {2026, 12, 6, 10, 0, 0}) : clock(start) { engine.Reset(); }

    // Each of `times` timer intervals later, one tick.
    void TickAfter(std::int64_t milliseconds, int times = 1) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(milliseconds);
            engine.Tick();
        }
    }

    FakeSystemClock clock;
    RecordingEngineView view;
    ClockEngine engine{clock, view, DateTimeSeparators{}};
};

class EngineFixture : public ::testing::Test, public EngineRig {};

}  // namespace quicktock
