#include "engine/ClockDate.h"

#include <cmath>

#include "engine/ConversionError.h"

namespace quicktock {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Day 0 of the OLE date is 30 December 1899; day 0 of the proleptic Gregorian count below is
// 1 January 1970.
constexpr std::int64_t kOleDayOfUnixEpoch = 25569;

// 1 January 100 00:00:00 and 31 December 9999 23:59:59 on the continuous time line.
constexpr std::int64_t kFirstSecond = -657434 * kSecondsPerDay;
constexpr std::int64_t kLastSecond = 2958465 * kSecondsPerDay + kSecondsPerDay - 1;

// Beyond this many days a double no longer resolves seconds; far outside the valid range anyway.
constexpr double kLargestMagnitude = 1e8;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(y, 400);
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

void RequireUsable(double value) {
    if (!std::isfinite(value) || std::fabs(value) > kLargestMagnitude) {
        throw ConversionError("the date lies outside the years 100 to 9999");
    }
}

}  // namespace

std::int64_t ToLinearSeconds(ClockDate value) {
    RequireUsable(value);
    // The whole part is the calendar day for either sign; the fraction's size is the time of day.
    const double day = std::trunc(value);
    const double timeOfDay = std::fabs(value - day);
    return static_cast<std::int64_t>(day) * kSecondsPerDay +
           std::llround(timeOfDay * static_cast<double>(kSecondsPerDay));
}

ClockDate FromLinearSeconds(std::int64_t seconds) {
    const std::int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const double timeOfDay =
        static_cast<double>(seconds - day * kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
    const auto wholeDays = static_cast<double>(day);
    return day >= 0 ? wholeDays + timeOfDay : wholeDays - timeOfDay;
}

CivilTime ToCivil(ClockDate value) {
    const std::int64_t linear = ToLinearSeconds(value);
    const std::int64_t day = FloorDiv(linear, kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(linear - day * kSecondsPerDay);
    CivilTime civil;
    CivilFromDays(day - kOleDayOfUnixEpoch, civil.year, civil.month, civil.day);
    civil.hour = secondOfDay / 3600;
    civil.minute = secondOfDay / 60 % 60;
    civil.second = secondOfDay % 60;
    return civil;
}

ClockDate FromCivil(const CivilTime& civil) {
    const std::int64_t day = DaysFromCivil(civil.year, static_cast<unsigned>(civil.month),
                                           static_cast<unsigned>(civil.day)) +
                             kOleDayOfUnixEpoch;
    return FromLinearSeconds(day * kSecondsPerDay + civil.hour * 3600 + civil.minute * 60 +
                             civil.second);
}

ClockDate TimeSpan(std::int16_t hours, std::int16_t minutes, std::int16_t seconds) {
    return (hours * 3600.0 + minutes * 60.0 + seconds) / static_cast<double>(kSecondsPerDay);
}

ClockDate AddHours(ClockDate value, double hours) {
    RequireUsable(hours / 24);
    const std::int64_t moved = ToLinearSeconds(value) + std::llround(hours * 3600.0);
    return CheckDate(FromLinearSeconds(moved));
}

ClockDate AddDuration(ClockDate value, ClockDate duration) {
    RequireUsable(duration);
    return FromLinearSeconds(ToLinearSeconds(value) +
                             std::llround(duration * static_cast<double>(kSecondsPerDay)));
}

std::int16_t SecondOfMinute(ClockDate value) {
    const std::int64_t linear = ToLinearSeconds(value);
    return static_cast<std::int16_t>(linear - FloorDiv(linear, 60) * 60);
}

ClockDate CheckDate(double value) {
    RequireUsable(value);
    const std::int64_t linear = ToLinearSeconds(value);
    if (linear < kFirstSecond || linear > kLastSecond) {
        throw ConversionError("the date lies outside the years 100 to 9999");
    }
    return value;
}

std::string FormatClockDate(ClockDate value, std::string_view pattern,
                            const DateTimeSeparators& separators) {
    const CivilTime civil = ToCivil(value);
    std::string text;
    text.reserve(pattern.size() + separators.date.size() * 2 + separators.time.size() * 2);
    bool afterHour = false;
    // A clock reading may lie outside the years 100..9999; such a year is written in full.
    auto digits = [&text](int field, std::size_t width) {
        if (field < 0 || field > 9999) {
            text += std::to_string(field);
            return;
        }
        char buffer[4];
        for (std::size_t k = width; k-- > 0;) {
            buffer[k] = static_cast<char>('0' + field % 10);
            field /= 10;
        }
        text.append(buffer, width);
    };
    // The tick writes two labels every second, so this compares characters rather than
    // building substrings.
    auto run = [&pattern](std::size_t at, char letter, std::size_t length) {
        if (at + length > pattern.size()) {
            return false;
        }
        for (std::size_t k = 0; k < length; ++k) {
            if (pattern[at + k] != letter) {
                return false;
            }
        }
        return true;
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (run(i, 'y', 4)) {
            digits(civil.year, 4);
            i += 4;
        } else if ((c == 'm' || c == 'd' || c == 'h' || c == 's') && run(i, c, 2)) {
            const int field = c == 'm'   ? (afterHour ? civil.minute : civil.month)
                              : c == 'd' ? civil.day
                              : c == 'h' ? civil.hour
                                         : civil.second;
            afterHour = afterHour || c == 'h';
            digits(field, 2);
            i += 2;
        } else {
            if (c == '/') {
                text += separators.date;
            } else if (c == ':') {
                text += separators.time;
            } else {
                text += c;
            }
            ++i;
        }
    }
    return text;
}

}  // namespace quicktock
