#include "engine/ClockDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/ConversionError.h"

namespace quicktock {
namespace {

struct CivilCase {
    double ole;
    CivilTime civil;
};

TEST(ClockDateTest, OleDayCountsMatchTheCalendar) {
    const CivilCase cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0}},
        {2.5, {1900, 1, 1, 12, 0, 0}},
        {60.0, {1900, 2, 28, 0, 0, 0}},
        {61.0, {1900, 3, 1, 0, 0, 0}},
        {36526.0, {2000, 1, 1, 0, 0, 0}},
        {36585.75, {2000, 2, 29, 18, 0, 0}},
        // For negative day counts the fraction is still the time of day.
        {-1.25, {1899, 12, 29, 6, 0, 0}},
        {-0.25, {1899, 12, 30, 6, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0}},
        {2958465.0 + 86399.0 / 86400.0, {9999, 12, 31, 23, 59, 59}},
        // A hair before midnight rounds to the next day rather than reading 23:59:59.
        {45000.99999999, {2023, 3, 16, 0, 0, 0}},
    };
    for (const auto& [ole, civil] : cases) {
        EXPECT_EQ(ToCivil(ole), civil) << ole;
        if (ole != -0.25 && ole != 45000.99999999) {
            EXPECT_DOUBLE_EQ(FromCivil(civil), ole) << ole;
        }
    }
}

// The tick computes second 59 as reading - s seconds + 59 seconds in floating point; the sum
// often lands a hair below the whole second and must still read as 59, not 58.
TEST(ClockDateTest, SumsOfSecondsReadAsTheWholeSecond) {
    for (const double day : {1.0, 36526.0, 46362.0, 2958000.0}) {
        for (std::int16_t s = 1; s < 59; ++s) {
            const ClockDate reading = day + (10 * 3600 + 7 * 60 + s) / 86400.0;
            const ClockDate jumped = reading - TimeSpan(0, 0, s) + TimeSpan(0, 0, 59);
            ASSERT_EQ(SecondOfMinute(jumped), 59) << day << " second " << s;
            ASSERT_EQ(ToCivil(jumped).minute, 7) << day << " second " << s;
        }
    }
}

TEST(ClockDateTest, CheckDateAcceptsOnlyYears100To9999) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double ok : {-657434.0, -657434.99998, 0.0, 2958465.99998}) {
        EXPECT_NO_THROW(CheckDate(ok)) << ok;
    }
    for (const double bad : {-657435.0, 2958466.0, 2958465.999999, 1e300, nan, inf, -inf}) {
        EXPECT_THROW(CheckDate(bad), ConversionError) << bad;
    }
}

TEST(ClockDateTest, AddHoursCrossesDayMonthAndYearBoundaries) {
    struct Case {
        CivilTime from;
        double hours;
        CivilTime to;
    };
    const Case cases[] = {
        {{2026, 12, 6, 8, 0, 0}, -12, {2026, 12, 5, 20, 0, 0}},
        {{2024, 3, 1, 1, 0, 0}, -2, {2024, 2, 29, 23, 0, 0}},
        {{2027, 1, 1, 0, 30, 0}, -1, {2026, 12, 31, 23, 30, 0}},
        {{2026, 12, 31, 22, 0, 0}, 3, {2027, 1, 1, 1, 0, 0}},
        {{2026, 6, 1, 10, 0, 0}, -32768, {2022, 9, 5, 2, 0, 0}},
        // Before 1899 the day count is negative; hours still move forward in time.
        {{1899, 12, 29, 6, 0, 0}, 20, {1899, 12, 30, 2, 0, 0}},
        {{1899, 12, 30, 2, 0, 0}, -20, {1899, 12, 29, 6, 0, 0}},
    };
    for (const auto& [from, hours, to] : cases) {
        EXPECT_EQ(ToCivil(AddHours(FromCivil(from), hours)), to) << hours;
    }
    EXPECT_THROW(AddHours(FromCivil({9999, 12, 31, 23, 0, 0}), 1), ConversionError);
}

TEST(ClockDateTest, FormatsWithTheUsersSeparators) {
    const ClockDate value = FromCivil({2026, 3, 7, 9, 5, 4});
    const DateTimeSeparators slash;
    const DateTimeSeparators dots{".", "."};
    EXPECT_EQ(FormatClockDate(value, "yyyy/mm/dd hh:mm:ss", slash), "2026/03/07 09:05:04");
    EXPECT_EQ(FormatClockDate(value, "hh:mm:ss", slash), "09:05:04");
    EXPECT_EQ(FormatClockDate(value, "yyyy/mm/dd hh:mm:ss", dots), "2026.03.07 09.05.04");
    EXPECT_EQ(FormatClockDate(FromCivil({100, 1, 1, 0, 0, 0}), "yyyy/mm/dd", slash), "0100/01/01");
}

}  // namespace
}  // namespace quicktock
