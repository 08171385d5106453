// ParseNumber against strtod without the skipped blanks, D read as E (&H and &O have no reference;
// strtod's own "inf", "0x" and leading \v must read as ParseNumber reads them); number texts
// written from the value read back as rounded.
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"
#include "settings/NumberText.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quicktock;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string reference;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            reference += c == 'd' || c == 'D' ? 'e' : c == 'x' || c == 'X' ? '#' : c;  // no 0x
        }
    }
    const std::size_t start = reference.starts_with('-') || reference.starts_with('+') ? 1 : 0;
    const char first = reference.c_str()[start];
    const double expected = std::isdigit(static_cast<unsigned char>(first)) || first == '.'
                                ? std::strtod(reference.c_str(), nullptr)
                                : 0;
    double value = 0;
    try {
        value = ParseNumber(text);
    } catch (const ConversionError&) {
        FuzzCheck(first == '&' || std::isinf(expected));
        return 0;
    }
    FuzzCheck((first == '&' || value == expected) && (value != 0 || !std::signbit(value)));
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    FuzzCheck(ParseNumber(FormatLocaleNumber(value, ".")) == std::strtod(rounded, nullptr));
    const float single = static_cast<float>(value);
    std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(single));
    FuzzCheck(!std::isfinite(single) ||
              ParseNumber(FormatSigned(single)) == std::strtod(rounded, nullptr));
    return 0;
}
