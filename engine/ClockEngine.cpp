#include "engine/ClockEngine.h"

#include <utility>

#include "engine/ClockSetError.h"
#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"

namespace quicktock {
namespace {

constexpr std::string_view kDateTimePattern = "yyyy/mm/dd hh:mm:ss";
constexpr std::string_view kTimePattern = "hh:mm:ss";

// A box whose text gives no usable 16-bit number; the message names the box and its text.
struct BoxNumberError {
    Box box;
    std::string text;
};

// At most 40 bytes of a text, cut before a whole UTF-8 character, with "..." when shortened.
std::string Shortened(const std::string& text) {
    if (text.size() <= 40) {
        return text;
    }
    std::size_t cut = 40;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut) + "...";
}

}  // namespace

ClockEngine::ClockEngine(SystemClock& clock, EngineView& view, DateTimeSeparators separators)
    : clock_(clock), view_(view), separators_(std::move(separators)) {}

template <typename Body>
void ClockEngine::Guarded(EngineFailure::Action action, Body&& body) {
    const EngineState before = state_;
    EngineFailure failure{action, EngineFailure::Kind::DateOutOfRange};
    try {
        body();
        return;
    } catch (const BoxNumberError& error) {
        failure.kind = EngineFailure::Kind::NumberOutOfRange;
        failure.box = error.box;
        failure.boxText = error.text;
    } catch (const ConversionError&) {
        failure.kind = EngineFailure::Kind::DateOutOfRange;
    }
    const bool modeChanged = state_.RunMode != before.RunMode;
    state_ = before;
    if (modeChanged) {
        ShowButtonsForRunMode();
    }
    view_.ShowFailure(failure);
}

void ClockEngine::Reset() {
    state_.RunMode = EngineState::kIdle;
    state_.StartTime = clock_.NowLocal();
    state_.StartRunning = clock_.RunningSeconds();
    state_.Elapsed = 0;
    state_.LastSecond = -1;
    view_.SetButtonEnabled(Button::cmdNormal, false);
    view_.SetLabel(Label::lblEstimateTime, "");
    view_.SetLabel(Label::lblPresentTime, "");
}

// Every date the tick may write to the clock is computed and checked before the clock is first
// set, so that a tick abandoned for a date out of range has not moved the clock.
void ClockEngine::Tick() {
    Guarded(EngineFailure::Action::Tick, [this] {
        const ClockDate reading = clock_.NowLocal();
        const std::int16_t second = SecondOfMinute(reading);
        state_.Elapsed = RunningSinceStart();
        const ClockDate counted = EstimatedTime();
        ClockDate shown = reading;
        if (state_.RunMode == EngineState::kAccelerating) {
            const std::optional<ClockDate> jump = JumpTarget(reading, second);
            if (jump && !SetClock(EngineFailure::Action::Tick, *jump)) {
                // Stop, so that the same refusal is not shown again every second.
                StopAccelerating();
            } else {
                shown = jump.value_or(reading);
                CatchUpStop(counted);
                CountDownMinute(second);
            }
        }

        if (view_.IsMinimised()) {
            const char* prefix = state_.RunMode == EngineState::kAccelerating ? ">> " : "> ";
            view_.SetWindowCaption(prefix + Format(counted, kTimePattern));
        } else {
            view_.SetWindowCaption(kProgramName);
        }
        view_.SetLabel(Label::lblPresentTime, Format(shown, kDateTimePattern));
        view_.SetLabel(Label::lblEstimateTime, Format(counted, kDateTimePattern));
        state_.LastSecond = second;
    });
}

// As soon as a minute has begun, the clock goes to second 59 of it; in the 10-second variant to
// second 9 after second 0 and to second 59 after second 10. A greyed box selects neither.
std::optional<ClockDate> ClockEngine::JumpTarget(ClockDate reading, std::int16_t second) const {
    const std::int16_t variant = view_.CheckValue(Check::chk10sec);
    std::int16_t target = -1;
    if (variant == 0 && second > 0 && second < 59) {
        target = 59;
    } else if (variant == 1 && second > 0 && second < 9) {
        target = 9;
    } else if (variant == 1 && second > 10 && second < 59) {
        target = 59;
    }
    if (target < 0) {
        return std::nullopt;
    }
    return CheckDate(AddDuration(reading, TimeSpan(0, 0, target - second)));
}

// Once the clock has passed the counted real time, stop and set the clock to the counted time.
void ClockEngine::CatchUpStop(ClockDate counted) {
    if (view_.CheckValue(Check::chkLessThanNow) != 1) {
        return;
    }
    if (ToLinearSeconds(counted) < ToLinearSeconds(clock_.NowLocal())) {
        StopAccelerating();
        SetClock(EngineFailure::Action::Tick, counted);
    }
}

// Counts one minute each time the second read falls back, and stops when none is left. The
// count stays at -32768 rather than wrapping round to a large positive allowance.
void ClockEngine::CountDownMinute(std::int16_t second) {
    if (view_.CheckValue(Check::chkUntilMinute) != 1) {
        return;
    }
    if (second < state_.LastSecond && state_.MinutesLeft > -32768) {
        --state_.MinutesLeft;
    }
    if (state_.MinutesLeft < 1) {
        StopAccelerating();
    }
}

// The date comes from the moved reading, not from the clock's date: twelve hours back from
// 01:00 is 13:00 of the day before.
void ClockEngine::Playback() {
    Guarded(EngineFailure::Action::Playback, [this] {
        const std::int16_t hours = NumberInBox(Box::txtPlaybackHour);
        SetClock(EngineFailure::Action::Playback,
                 AddHours(clock_.NowLocal(), -static_cast<double>(hours)));
    });
}

void ClockEngine::Accelerate() {
    Guarded(EngineFailure::Action::Accelerate, [this] {
        state_.RunMode = EngineState::kAccelerating;
        state_.MinutesLeft = NumberInBox(Box::txtUntilMinutes);
        view_.SetButtonEnabled(Button::cmdAccel, false);
        view_.SetButtonEnabled(Button::cmdNormal, true);
    });
}

void ClockEngine::Normal() {
    StopAccelerating();
}

// The counted time is read at each tick, so between two ticks it lags the real time by up to a
// second: the clock goes to the counted time plus one second, what the next tick will count.
void ClockEngine::GotoEstimate() {
    Guarded(EngineFailure::Action::GotoEstimate, [this] {
        SetClock(EngineFailure::Action::GotoEstimate,
                 CheckDate(AddDuration(EstimatedTime(), TimeSpan(0, 0, 1))));
    });
}

void ClockEngine::MinuteLimit() {
    Guarded(EngineFailure::Action::MinuteLimit, [this] {
        if (view_.CheckValue(Check::chkUntilMinute) == 1) {
            state_.MinutesLeft = NumberInBox(Box::txtUntilMinutes);
        }
    });
}

void ClockEngine::StopAccelerating() {
    state_.RunMode = EngineState::kNormal;
    view_.SetButtonEnabled(Button::cmdAccel, true);
    view_.SetButtonEnabled(Button::cmdNormal, false);
}

// A refusal is shown and changes nothing else; the caller learns whether the clock was set.
bool ClockEngine::SetClock(EngineFailure::Action action, ClockDate value) {
    try {
        clock_.SetLocalDateTime(value);
        return true;
    } catch (const ClockSetError& error) {
        EngineFailure failure{action, EngineFailure::Kind::ClockNotSet};
        failure.remedy = error.Remedy();
        failure.systemReason = error.SystemReason();
        view_.ShowFailure(failure);
        return false;
    }
}

void ClockEngine::ShowButtonsForRunMode() {
    const bool accelerating = state_.RunMode == EngineState::kAccelerating;
    view_.SetButtonEnabled(Button::cmdAccel, !accelerating);
    view_.SetButtonEnabled(Button::cmdNormal, accelerating);
}

// Whole seconds on the running clock since start-up: it keeps counting while the machine
// sleeps and while the timer is held up, and setting the clock does not move it.
ClockDate ClockEngine::RunningSinceStart() const {
    const std::int64_t seconds = clock_.RunningSeconds() - state_.StartRunning;
    return static_cast<double>(seconds) / 86400.0;
}

ClockDate ClockEngine::EstimatedTime() const {
    return CheckDate(AddDuration(state_.StartTime, state_.Elapsed));
}

std::int16_t ClockEngine::NumberInBox(Box box) const {
    const std::string text = view_.BoxText(box);
    try {
        return ToInt16(ParseNumber(text));
    } catch (const ConversionError&) {
        throw BoxNumberError{box, Shortened(text)};
    }
}

std::string ClockEngine::Format(ClockDate value, std::string_view pattern) const {
    return FormatClockDate(value, pattern, separators_);
}

}  // namespace quicktock
