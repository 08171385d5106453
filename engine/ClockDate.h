#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quicktock {

// A date-time or a duration as the OLE Automation date: days since 30 December 1899, 00:00 local
// time, with the time of day as the fraction. For negative day counts the fraction is still the
// time of day, not a step back: -1.25 is 29 December 1899 06:00.
using ClockDate = double;

// A date-time split into calendar fields, to the whole second.
struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// The separators that the user's regional settings put between the date fields and the time
// fields of a displayed date-time.
struct DateTimeSeparators {
    std::string date = "/";
    std::string time = ":";
};

// Every conversion below rounds to the nearest whole second first, so that a sum such as
// second 1 - 1 s + 59 s that lands on 58.9999 s still reads as second 59.

// Seconds on a continuous time line (second 0 is 30 December 1899 00:00:00).
std::int64_t ToLinearSeconds(ClockDate value);
ClockDate FromLinearSeconds(std::int64_t seconds);

CivilTime ToCivil(ClockDate value);
ClockDate FromCivil(const CivilTime& civil);

// (hours * 3600 + minutes * 60 + seconds) / 86400.
ClockDate TimeSpan(std::int16_t hours, std::int16_t minutes, std::int16_t seconds);

// The value moved by a number of hours, across day boundaries. Raises ConversionError when the
// result leaves the supported calendar range.
ClockDate AddHours(ClockDate value, double hours);

// A date-time moved by a duration on the continuous time line, so that dates before 1899 move
// the right way too.
ClockDate AddDuration(ClockDate value, ClockDate duration);

// The second of the minute, 0..59.
std::int16_t SecondOfMinute(ClockDate value);

// Accepts only dates from 1 January 100 to 31 December 9999; raises ConversionError otherwise.
// Every computed date that is stored or written to the clock passes through here.
ClockDate CheckDate(double value);

// Writes the value with a pattern made of yyyy, mm, dd, hh, mm (minutes after hh) and ss, with
// "/" replaced by the date separator and ":" by the time separator, e.g. "yyyy/mm/dd hh:mm:ss".
std::string FormatClockDate(ClockDate value, std::string_view pattern,
                            const DateTimeSeparators& separators);

}  // namespace quicktock
