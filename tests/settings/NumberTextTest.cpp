#include "settings/NumberText.h"

#include <gtest/gtest.h>

namespace quicktock {
namespace {

TEST(NumberTextTest, SignedNumbersKeepASignPlaceAndPlainDigits) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {1440.f, " 1440"},   {-60.f, "-60"},          {0.f, " 0"},
        {-0.f, " 0"},        {2205.5f, " 2205.5"},    {1234.5678f, " 1234.568"},
        {0.5f, " 0.5"},      {1e10f, " 10000000000"}, {16777217.f, " 16777220"},
        {-0.001f, "-0.001"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatSigned(value), text) << value;
    }
    EXPECT_EQ(FormatSigned(1), " 1");
    EXPECT_EQ(FormatSigned(-32768), "-32768");
}

TEST(NumberTextTest, LocaleNumbersUseTheUsersSeparatorAndFifteenDigits) {
    struct Case {
        double value;
        const char* separator;
        const char* text;
    };
    const Case cases[] = {
        {240, ".", "240"},
        {12.5, ",", "12,5"},
        {-3, ",", "-3"},
        {1000, ".", "1000"},
        {0.1 + 0.2, ".", "0.3"},
        {1e23, ".", "100000000000000000000000"},
        {123456789.123456789, ".", "123456789.123457"},
    };
    for (const auto& [value, separator, text] : cases) {
        EXPECT_EQ(FormatLocaleNumber(value, separator), text) << value;
    }
}

}  // namespace
}  // namespace quicktock
