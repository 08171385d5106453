#pragma once

#include <string_view>

#include "engine/ClockDate.h"

namespace quicktock {

// The separators of the date-time labels as a pair of strftime formats implies them (the
// locale's date format and time format): the text between the first two adjacent numeric date
// fields (day, month, year) and the text between the hour and the minute. A text holding blanks,
// commas, letters or digits cannot stand between two numbers in "yyyy/mm/dd hh:mm:ss", and then
// "/" or ":" stands, as it does when the format has no such pair of fields.
DateTimeSeparators SeparatorsOfFormats(std::string_view dateFormat, std::string_view timeFormat);

}  // namespace quicktock
