#include "settings/NumberText.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace quicktock {
namespace {

// The value rounded to a number of significant digits, written in plain positional notation
// (never with an exponent): the digits beyond those significant ones are zeros, not the binary
// value's own digits (1e23 gives 1 and 23 zeros, not 99999999999999991611392).
std::string PlainDigits(double value, int significantDigits) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    if (e == std::string_view::npos) {
        return std::string(text);  // inf or nan, which no finite text could stand for
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    std::string digits;  // the significant digits without trailing zeros
    for (const char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) {
        return "0";  // also for a negative zero
    }
    std::string out = text.front() == '-' ? "-" : "";
    const int wholeDigits = exponent + 1;
    if (wholeDigits <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-wholeDigits), '0') + digits;
    } else if (static_cast<std::size_t>(wholeDigits) >= digits.size()) {
        out += digits + std::string(static_cast<std::size_t>(wholeDigits) - digits.size(), '0');
    } else {
        const auto split = static_cast<std::size_t>(wholeDigits);
        out += digits.substr(0, split) + "." + digits.substr(split);
    }
    return out;
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
