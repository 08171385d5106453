#include "engine/NumberConversions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "engine/ConversionError.h"

namespace quicktock {
namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

// The characters of a text in order, with the skipped blanks passed over.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }

private:
    void SkipBlanks() {
        while (!AtEnd() && IsSkipped(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

double ParseRadixInteger(Reader& in, int radix) {
    double value = 0;
    while (!in.AtEnd() && DigitValue(in.Peek()) < radix) {
        value = value * radix + DigitValue(in.Peek());
        in.Next();
    }
    return value;
}

double Finite(double value) {
    if (!std::isfinite(value)) {
        throw ConversionError("the number is too large");
    }
    return value == 0 ? 0.0 : value;  // never -0: it would read back as "-0"
}

// The power of ten just above the first significant digit of a number gathered as
// "-digits.digits" with an optional "e-digits" (so 0.05 gives -1 and 123 gives 3), saturated far
// beyond the range of a double. Only its sign is used.
long long DecimalMagnitude(std::string_view number) {
    constexpr long long kSaturated = 1'000'000'000'000;
    const std::size_t e = std::min(number.find('e'), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return LLONG_MIN;  // zero
    }
    long long magnitude = first < point ? static_cast<long long>(point - first)
                                        : -static_cast<long long>(first - point - 1);
    long long exponent = 0;
    for (std::size_t i = e + 1; i < number.size(); ++i) {
        if (IsDigit(number[i])) {
            exponent = std::min(kSaturated, exponent * 10 + (number[i] - '0'));
        }
    }
    return magnitude + (number.find("e-") != std::string_view::npos ? -exponent : exponent);
}

}  // namespace

double ParseNumber(std::string_view text) {
    Reader in(text);
    if (in.Peek() == '&') {
        in.Next();
        const char prefix = in.Peek();
        if (prefix == 'h' || prefix == 'H') {
            in.Next();
            return Finite(ParseRadixInteger(in, 16));
        }
        if (prefix == 'o' || prefix == 'O') {
            in.Next();
            return Finite(ParseRadixInteger(in, 8));
        }
        return 0;
    }

    // Gather the number without its blanks, then let from_chars round it exactly.
    std::string number;
    if (in.Peek() == '-' || in.Peek() == '+') {
        if (in.Peek() == '-') {
            number += '-';
        }
        in.Next();
    }
    bool anyDigit = false;
    while (IsDigit(in.Peek())) {
        number += in.Peek();
        anyDigit = true;
        in.Next();
    }
    if (in.Peek() == '.') {
        number += '.';
        in.Next();
        while (IsDigit(in.Peek())) {
            number += in.Peek();
            anyDigit = true;
            in.Next();
        }
    }
    if (!anyDigit) {
        return 0;
    }
    const char e = in.Peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        std::string exponent = "e";
        in.Next();
        if (in.Peek() == '-' || in.Peek() == '+') {
            exponent += in.Peek();
            in.Next();
        }
        bool anyExponentDigit = false;
        while (IsDigit(in.Peek())) {
            exponent += in.Peek();
            anyExponentDigit = true;
            in.Next();
        }
        if (anyExponentDigit) {
            number += exponent;
        }
    }

    double value = 0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Beyond a double either way: a vanishing number reads as zero, a growing one cannot be
        // held. Which one it is shows in its order of magnitude, not in the exponent's sign.
        if (DecimalMagnitude(number) <= 0) {
            return 0;
        }
        throw ConversionError("the number is too large");
    }
    (void)end;
    return Finite(value);
}

std::int16_t ToInt16(double value) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw ConversionError("the number lies outside -32768 to 32767");
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace quicktock
