#pragma once

#include <cstdint>
#include <string_view>

namespace quicktock {

// Reads the leading number of a text, leniently: blanks, tabs and line feeds are skipped wherever
// they stand; then an optional sign, digits, an optional "." with more digits and an optional
// exponent (E or D, optional sign, digits); or &H / &O followed by a hexadecimal or octal
// integer. Reading stops at the first character that cannot continue the number; a text with no
// number gives 0. Only "." is a decimal separator, whatever the locale. Raises ConversionError
// when the number is too large for a double.
double ParseNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Raises ConversionError when the result lies outside -32768..32767.
std::int16_t ToInt16(double value);

}  // namespace quicktock
