#pragma once

#include <string>

#include "engine/ClockSetError.h"
#include "engine/FormControls.h"

namespace quicktock {

// Why a tick or a command was abandoned or could not set the clock; the window words it in the
// display language.
struct EngineFailure {
    enum class Action { Tick, Playback, Accelerate, GotoEstimate, MinuteLimit };
    enum class Kind {
        NumberOutOfRange,  // a box holds a number outside -32768..32767
        DateOutOfRange,    // a computed date would leave the years 100..9999
        ClockNotSet        // the system refused to set the clock
    };

    Action action;
    Kind kind;
    Box box{};                   // NumberOutOfRange: which box
    std::string boxText{};       // NumberOutOfRange: the box's text, shortened to 40 characters
    ClockRemedy remedy{};        // ClockNotSet
    std::string systemReason{};  // ClockNotSet
};

}  // namespace quicktock
