#include "engine/ClockDate.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

#include "engine/ConversionError.h"

namespace quicktock {
namespace {

TEST(ClockDateTest, OleDayCountsMatchTheCalendar) {
    const std::pair<double, CivilTime> cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0}},
        {60.0, {1900, 2, 28, 0, 0, 0}},
        {61.0, {1900, 3, 1, 0, 0, 0}},
        {36585.75, {2000, 2, 29, 18, 0, 0}},
        // For negative day counts the fraction is still the time of day.
        {-1.25, {1899, 12, 29, 6, 0, 0}},
        {-0.25, {1899, 12, 30, 6, 0, 0}},
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
    const std::tuple<CivilTime, double, CivilTime> cases[] = {
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
    EXPECT_EQ(FormatClockDate(FromCivil({100, 3, 7, 9, 5, 4}), "yyyy/mm/dd hh:mm:ss", {".", "."}),
              "0100.03.07 09.05.04");
}

}  // namespace
}  // namespace quicktock
