#include "settings/NumberText.h"

#include <charconv>
#include <system_error>

namespace quicktock {
namespace {

// The value rounded to a number of significant digits, written in plain positional notation
// (never with an exponent) and as short as reads back the same.
std::string PlainDigits(double value, int significantDigits) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                significantDigits);
    double rounded = 0;
    std::from_chars(buffer, result.ptr, rounded);
    if (rounded == 0) {
        return "0";  // also for a negative zero
    }
    result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// The sign's place: a blank unless the digits begin with "-".
std::string WithSignPlace(std::string digits) {
    if (digits.front() != '-') {
        digits.insert(digits.begin(), ' ');
    }
    return digits;
}

}  // namespace

std::string FormatSigned(float value) {
    return WithSignPlace(PlainDigits(value, 7));
}

std::string FormatSigned(int value) {
    return WithSignPlace(std::to_string(value));
}

std::string FormatLocaleNumber(double value, const std::string& decimalSeparator) {
    std::string text = PlainDigits(value, 15);
    const auto point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace quicktock
