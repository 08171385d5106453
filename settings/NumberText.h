#pragma once

#include <string>

namespace quicktock {

// A number as the settings file stores it: a blank in the sign's place for zero and positive
// numbers, "-" for negative ones, then plain decimal digits with "." as the decimal separator
// whatever the regional settings, and no decimal point for a whole number. Window positions are
// single precision and are written with at most 7 significant digits.
std::string FormatSigned(float value);
std::string FormatSigned(int value);

// A number for the user to read: no sign place, the user's decimal separator, at most 15
// significant digits, no decimal point for a whole number.
std::string FormatLocaleNumber(double value, const std::string& decimalSeparator);

}  // namespace quicktock
