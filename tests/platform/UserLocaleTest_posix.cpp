#include "platform/UserLocale.h"

#include <gtest/gtest.h>

#include "platform/DateFormatSeparators.h"

namespace quicktock {
namespace {

// Without regional settings of its own, the program falls back to "/", ":" and ".".
TEST(UserLocaleTest, PlainOrUnknownLocaleGivesTheDefaultSeparators) {
    for (const char* locale : {"C", "no_SUCH_locale.UTF-8"}) {
        ::setenv("LC_ALL", locale, 1);
        const DateTimeSeparators separators = UserDateTimeSeparators();
        EXPECT_EQ(separators.date + separators.time + UserDecimalSeparator(), "/:.") << locale;
    }
    ::unsetenv("LC_ALL");
}

TEST(UserLocaleTest, SeparatorsLieBetweenNumericFieldsAndNeverHoldWords) {
    const char* const cases[][3] = {
        {"%d %b, %Y", "%Z %I:%M:%S %p", "/:"} /* ar_EG */,
        {"%d.%m.%Y", "%H.%M.%S", ".."},
        {"%A, %d-%m-%Y", "%T", "-:"},
        {"%F", "%Hh%M", "-:"},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d", "", "/:"},
        {"%d. %m. %Y", "%OI:%OM", "/:"},
    };
    for (const auto& [date, time, both] : cases) {
        const DateTimeSeparators separators = SeparatorsOfFormats(date, time);
        EXPECT_EQ(separators.date + separators.time, both) << date << " " << time;
    }
}

}  // namespace
}  // namespace quicktock
