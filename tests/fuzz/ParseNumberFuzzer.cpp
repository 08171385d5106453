// ParseNumber against the C library's strtod on the same text with its skipped blanks taken out.
// Where the rules differ by design the reference is not asked: &H and &O integers, and the D
// exponent (read as E for strtod); strtod's extras (leading \v\f\r, "inf", "nan", hexadecimal
// "0x" numbers) must read as ParseNumber reads them, 0 or the digits before the "x".
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"
#include "settings/NumberText.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    bool tooLarge = false;
    try {
        value = quicktock::ParseNumber(text);
    } catch (const quicktock::ConversionError&) {
        tooLarge = true;
    }
    std::string reference;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            reference += c == 'd' || c == 'D' ? 'e' : c;
        }
    }
    if (reference.starts_with('&')) {
        return 0;
    }
    // strtod reads no further than ParseNumber would start: a sign, then a digit or ".".
    const std::size_t start = reference.starts_with('-') || reference.starts_with('+') ? 1 : 0;
    const char first = start < reference.size() ? reference[start] : '\0';
    const bool hex = first == '0' && start + 1 < reference.size() &&
                     (reference[start + 1] == 'x' || reference[start + 1] == 'X');
    double expected = 0;
    if ((first >= '0' && first <= '9') || first == '.') {
        expected = std::strtod((hex ? reference.substr(0, start + 1) : reference).c_str(), nullptr);
    }
    FUZZ_CHECK(tooLarge == std::isinf(expected));
    if (tooLarge) {
        return 0;
    }
    FUZZ_CHECK(value == expected && !(value == 0 && std::signbit(value)));
    // Written for the user with 15 significant digits, the number reads back as rounded so.
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    FUZZ_CHECK(quicktock::ParseNumber(quicktock::FormatLocaleNumber(value, ".")) ==
               std::strtod(rounded, nullptr));
    const float single = static_cast<float>(value);
    if (std::isfinite(single)) {
        std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(single));
        FUZZ_CHECK(quicktock::ParseNumber(quicktock::FormatSigned(single)) ==
                   std::strtod(rounded, nullptr));
    }
    return 0;
}
