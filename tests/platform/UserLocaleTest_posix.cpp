#include "platform/UserLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quicktock {
namespace {

// Without regional settings of its own, the program falls back to "/", ":" and ".".
TEST(UserLocaleTest, PlainLocaleGivesTheDefaultSeparators) {
    ::setenv("LC_ALL", "C", 1);
    const DateTimeSeparators separators = UserDateTimeSeparators();
    EXPECT_EQ(separators.date, "/");
    EXPECT_EQ(separators.time, ":");
    EXPECT_EQ(UserDecimalSeparator(), ".");
    ::setenv("LC_ALL", "no_SUCH_locale.UTF-8", 1);
    EXPECT_EQ(UserDateTimeSeparators().date, "/");
    EXPECT_EQ(UserDecimalSeparator(), ".");
    ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace quicktock
