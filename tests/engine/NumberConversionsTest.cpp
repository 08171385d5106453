#include "engine/NumberConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "engine/ConversionError.h"

namespace quicktock {
namespace {

TEST(NumberConversionsTest, ParseNumberReadsTheLeadingNumberLeniently) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},         {"abc", 0},          {"-", 0},         {".", 0},        {"12", 12},
        {"1 2", 12},     {"2 40", 240},       {"\t1\n2", 12},   {"12abc", 12},   {"1,5", 1},
        {"1.2.3", 1.2},  {"0240", 240},       {"  -3.5", -3.5}, {"- 5", -5},     {"+7", 7},
        {".5", 0.5},     {"1e3", 1000},       {"1D3", 1000},    {"1 e 3", 1000}, {"2.5E-1", 0.25},
        {"1e", 1},       {"1e+", 1},          {"1e-400", 0},    {"&H10", 16},    {"&h1F", 31},
        {"& H 1 0", 16}, {"&O17", 15},        {"&O8", 0},       {"&H", 0},       {"&X1", 0},
        {"1\r2", 1},     {"\xef\xbc\x91", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(ParseNumber(text), value) << '"' << text << '"';
    }
    // Never a negative zero, which would be written back as "-0".
    EXPECT_FALSE(std::signbit(ParseNumber("-0")));
}

TEST(NumberConversionsTest, ParseNumberRefusesNumbersBeyondADouble) {
    for (const std::string& text :
         {std::string("1e400"), std::string("-1e999"), "&H" + std::string(300, 'F')}) {
        EXPECT_THROW(ParseNumber(text), ConversionError) << text;
    }
    // A megabyte of digits is read in one pass, not refused or crashed on.
    EXPECT_THROW(ParseNumber(std::string(1 << 20, '9')), ConversionError);
    EXPECT_DOUBLE_EQ(ParseNumber("1." + std::string(1 << 20, '0')), 1.0);
    // Beyond a double by its value, whatever the exponent's sign says.
    EXPECT_THROW(ParseNumber("1" + std::string(400, '0') + "e-1"), ConversionError);
    EXPECT_EQ(ParseNumber("0." + std::string(330, '0') + "1"), 0.0);
}

TEST(NumberConversionsTest, ToInt16RoundsHalvesToEvenWithinRange) {
    const std::pair<double, std::int16_t> cases[] = {
        {32767.4, 32767}, {-0.5, 0},  {0.5, 0},           {1.5, 2},          {2.5, 2},
        {3.5, 4},         {-1.5, -2}, {-32768.5, -32768}, {-32767.6, -32768}};
    for (const auto& [value, result] : cases) {
        EXPECT_EQ(ToInt16(value), result) << value;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double bad : {32767.5, -32768.6, 99999.0, nan, HUGE_VAL, -HUGE_VAL}) {
        EXPECT_THROW(ToInt16(bad), ConversionError) << bad;
    }
}

}  // namespace
}  // namespace quicktock
