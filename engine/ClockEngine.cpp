#include "engine/ClockEngine.h"

#include <utility>

#include "engine/ClockSetError.h"
#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"

namespace quicktock {
namespace {

constexpr std::string_view kDateTimePattern = "yyyy/mm/dd hh:mm:ss";
constexpr std::string_view kTimePattern = "hh:mm:ss";

std::string BoxDescription(EngineView::TextBox box) {
    return box == EngineView::TextBox::PlaybackHour ? "the hours box next to \"|<<\""
                                                    : "the minutes box of the minute limit";
}

}  // namespace

ClockEngine::ClockEngine(SystemClock& clock, EngineView& view, DateTimeSeparators separators)
    : clock_(clock), view_(view), separators_(std::move(separators)) {}

template <typename Body>
void ClockEngine::Guarded(std::string_view action, Body&& body) {
    const EngineState before = state_;
    try {
        body();
    } catch (const ConversionError& error) {
        const bool modeChanged = state_.RunMode != before.RunMode;
        state_ = before;
        if (modeChanged) {
            ShowButtonsForRunMode();
        }
        view_.ShowError(std::string(action) + ": " + error.what() + ".");
    }
}

void ClockEngine::Reset() {
    state_.RunMode = EngineState::kIdle;
    state_.OneSecond = TimeSpan(0, 0, 1);
    state_.StartTime = clock_.NowLocal();
    state_.LastSecond = -1;
    view_.SetButtonEnabled(EngineView::Button::Normal, false);
    view_.SetLabel(EngineView::Label::EstimateTime, "");
    view_.SetLabel(EngineView::Label::PresentTime, "");
}

void ClockEngine::Tick() {
    Guarded("The clock could not be updated", [this] {
        ClockDate t = clock_.NowLocal();
        const std::int16_t second = SecondOfMinute(t);
        if (state_.RunMode == EngineState::kAccelerating) {
            AccelerateClock(t, second);
            CatchUpStop();
            CountDownMinute(second);
        }

        // The caption shows the counted time before this tick's second is added.
        if (view_.IsMinimised()) {
            const char* prefix = state_.RunMode == EngineState::kAccelerating ? ">> " : "> ";
            view_.SetWindowCaption(prefix + Format(EstimatedTime(), kTimePattern));
        } else {
            view_.SetWindowCaption(kProgramName);
        }
        view_.SetLabel(EngineView::Label::PresentTime, Format(t, kDateTimePattern));
        state_.Elapsed = CheckDate(state_.OneSecond + state_.Elapsed);
        view_.SetLabel(EngineView::Label::EstimateTime, Format(EstimatedTime(), kDateTimePattern));
        state_.LastSecond = second;
    });
}

// As soon as a minute has begun, move the clock to second 59 of it; in the 10-second variant to
// second 9 after second 0 and to second 59 after second 10. A greyed box selects neither.
void ClockEngine::AccelerateClock(ClockDate& t, std::int16_t second) {
    const std::int16_t variant = view_.CheckValue(EngineView::CheckBox::TenSeconds);
    std::int16_t target = -1;
    if (variant == 0 && second > 0 && second < 59) {
        target = 59;
    } else if (variant == 1 && second > 0 && second < 9) {
        target = 9;
    } else if (variant == 1 && second > 10 && second < 59) {
        target = 59;
    }
    if (target < 0) {
        return;
    }
    const ClockDate jumped = CheckDate(AddDuration(t, TimeSpan(0, 0, target - second)));
    try {
        clock_.SetTimeOfDay(jumped);
        t = jumped;
    } catch (const ClockSetError& error) {
        StopAccelerating();
        view_.ShowError(error.what());
    }
}

// Once the clock has passed the counted real time, stop and set the clock to the counted time.
void ClockEngine::CatchUpStop() {
    if (view_.CheckValue(EngineView::CheckBox::LessThanNow) != 1) {
        return;
    }
    const ClockDate estimate = EstimatedTime();
    const ClockDate now = clock_.NowLocal();
    if (ToLinearSeconds(estimate) < ToLinearSeconds(now)) {
        StopAccelerating();
        SetClockToEstimate();
    }
}

// Counts one minute each time the second read falls back, and stops when none is left. The
// count stays at -32768 rather than wrapping round to a large positive allowance.
void ClockEngine::CountDownMinute(std::int16_t second) {
    if (view_.CheckValue(EngineView::CheckBox::UntilMinute) != 1) {
        return;
    }
    if (second < state_.LastSecond && state_.MinutesLeft > -32768) {
        --state_.MinutesLeft;
    }
    if (state_.MinutesLeft < 1) {
        StopAccelerating();
    }
}

void ClockEngine::Playback() {
    Guarded("The clock was not set back", [this] {
        const std::int16_t hours = NumberInBox(EngineView::TextBox::PlaybackHour);
        SetClock(AddHours(clock_.NowLocal(), -static_cast<double>(hours)));
    });
}

void ClockEngine::Accelerate() {
    Guarded("The clock was not accelerated", [this] {
        state_.RunMode = EngineState::kAccelerating;
        state_.MinutesLeft = NumberInBox(EngineView::TextBox::UntilMinutes);
        view_.SetButtonEnabled(EngineView::Button::Accel, false);
        view_.SetButtonEnabled(EngineView::Button::Normal, true);
    });
}

void ClockEngine::Normal() {
    StopAccelerating();
}

void ClockEngine::GotoEstimate() {
    Guarded("The clock was not set to the counted time", [this] { SetClockToEstimate(); });
}

void ClockEngine::MinuteLimit() {
    Guarded("The minute limit was not changed", [this] {
        if (view_.CheckValue(EngineView::CheckBox::UntilMinute) == 1) {
            state_.MinutesLeft = NumberInBox(EngineView::TextBox::UntilMinutes);
        }
    });
}

void ClockEngine::StopAccelerating() {
    state_.RunMode = EngineState::kNormal;
    view_.SetButtonEnabled(EngineView::Button::Accel, true);
    view_.SetButtonEnabled(EngineView::Button::Normal, false);
}

void ClockEngine::SetClockToEstimate() {
    const ClockDate estimate = EstimatedTime();
    SetClock(CheckDate(AddDuration(estimate, state_.OneSecond)));
}

// Sets the clock from a command; a refusal is shown and changes nothing else.
void ClockEngine::SetClock(ClockDate value) {
    try {
        clock_.SetTimeOfDay(value);
    } catch (const ClockSetError& error) {
        view_.ShowError(error.what());
    }
}

void ClockEngine::ShowButtonsForRunMode() {
    const bool accelerating = state_.RunMode == EngineState::kAccelerating;
    view_.SetButtonEnabled(EngineView::Button::Accel, !accelerating);
    view_.SetButtonEnabled(EngineView::Button::Normal, accelerating);
}

ClockDate ClockEngine::EstimatedTime() const {
    return CheckDate(AddDuration(state_.StartTime, state_.Elapsed));
}

std::int16_t ClockEngine::NumberInBox(EngineView::TextBox box) const {
    const std::string text = view_.Text(box);
    try {
        return ToInt16(ParseNumber(text));
    } catch (const ConversionError& error) {
        std::string shown = text;
        if (shown.size() > 40) {
            // Shorten a long text for the message without splitting a UTF-8 character.
            std::size_t cut = 40;
            while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) {
                --cut;
            }
            shown = shown.substr(0, cut) + "...";
        }
        throw ConversionError(BoxDescription(box) + " holds \"" + shown + "\", and " +
                              error.what());
    }
}

std::string ClockEngine::Format(ClockDate value, std::string_view pattern) const {
    return FormatClockDate(value, pattern, separators_);
}

}  // namespace quicktock
