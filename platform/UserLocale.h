#pragma once

#include <string>

#include "engine/ClockDate.h"

namespace quicktock {

// The user's regional settings, read afresh at each call. Where the settings give no separator
// the date-time labels fall back to "/" and ":" and numbers to ".".
DateTimeSeparators UserDateTimeSeparators();
std::string UserDecimalSeparator();

}  // namespace quicktock
