#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/ClockDate.h"
#include "engine/EngineFailure.h"
#include "engine/EngineState.h"
#include "engine/EngineView.h"
#include "engine/SystemClock.h"
#include "engine/Version.h"

namespace quicktock {

// The clock engine: the per-second tick that runs the clock fast and counts real time, and the
// commands behind the clock buttons and the minute limit.
//
// The counted real time is the start-up clock reading plus the whole seconds that the running
// clock has advanced since start-up, so it goes on across sleep and late ticks.
//
// A number or date that cannot be used abandons the command or tick that meets it before it
// sets the clock: the engine state is left as it was before, the user is told which box or value
// was at fault, and the next tick works normally. A refusal of the system to set the clock is
// reported too; while accelerating, the first refusal stops the acceleration so the same refusal
// is not shown every second.
class ClockEngine {
public:
    static constexpr const char* kProgramName = QUICKTOCK_PROGRAM_NAME;

    ClockEngine(SystemClock& clock, EngineView& view, DateTimeSeparators separators);

    // The start-up reset: idle, start-up clock and running readings, no previous second,
    // ">" disabled, both date-time labels empty.
    void Reset();

    // One timer interval: accelerate while running fast, apply the two automatic stops, count
    // the real time and refresh the labels and the window caption.
    void Tick();

    // Sets the clock back by the hours in the hours box, across day boundaries.
    void Playback();
    // Starts running fast, and loads the minute limit from the minutes box.
    void Accelerate();
    // Stops running fast.
    void Normal();
    // Sets the clock to the counted real time.
    void GotoEstimate();
    // The minute-limit check box was clicked: when it is now checked, reload the limit.
    void MinuteLimit();

    const EngineState& State() const { return state_; }

private:
    template <typename Body>
    void Guarded(EngineFailure::Action action, Body&& body);

    std::optional<ClockDate> JumpTarget(ClockDate reading, std::int16_t second) const;
    void CatchUpStop(ClockDate counted);
    void CountDownMinute(std::int16_t second);
    void StopAccelerating();
    bool SetClock(EngineFailure::Action action, ClockDate value);
    void ShowButtonsForRunMode();

    ClockDate RunningSinceStart() const;
    ClockDate EstimatedTime() const;
    std::int16_t NumberInBox(Box box) const;
    std::string Format(ClockDate value, std::string_view pattern) const;

    SystemClock& clock_;
    EngineView& view_;
    DateTimeSeparators separators_;
    EngineState state_;
};

}  // namespace quicktock
