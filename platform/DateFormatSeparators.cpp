#include "platform/DateFormatSeparators.h"

#include <cctype>
#include <string>

namespace quicktock {
namespace {

// The format with the composite conversions written out, so their fields are seen one by one.
std::string Expanded(std::string_view format) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char c = format[++i];
            out += c == 'D'   ? "%m/%d/%y"
                   : c == 'F' ? "%Y-%m-%d"
                   : c == 'T' ? "%H:%M:%S"
                   : c == 'R' ? "%H:%M"
                              : std::string{'%', c};
        } else {
            out += format[i];
        }
    }
    return out;
}

bool Usable(std::string_view separator) {
    for (const char c : separator) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::isalnum(byte) || std::isspace(byte) || c == ',' || c == '%') {
            return false;
        }
    }
    return !separator.empty();
}

// The text between a field of the first kind and a directly following field of the second kind,
// for the first field of the first kind that another field follows; nothing when none does.
std::string SeparatorBetween(std::string_view format, std::string_view firstKinds,
                             std::string_view secondKinds, const std::string& fallback) {
    const std::string text = Expanded(format);
    char previous = 0;  // the last conversion's letter
    std::size_t previousEnd = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 >= text.size()) {
            continue;
        }
        std::size_t letter = i + 1;
        if ((text[letter] == 'E' || text[letter] == 'O') && letter + 1 < text.size()) {
            ++letter;  // a modified conversion such as %Ey
        }
        if (previous != 0 && firstKinds.find(previous) != std::string_view::npos) {
            const std::string_view between =
                std::string_view(text).substr(previousEnd, i - previousEnd);
            const bool second = secondKinds.find(text[letter]) != std::string_view::npos;
            return second && Usable(between) ? std::string(between) : fallback;
        }
        previous = text[letter];
        previousEnd = letter + 1;
        i = letter;
    }
    return fallback;
}

}  // namespace

DateTimeSeparators SeparatorsOfFormats(std::string_view dateFormat, std::string_view timeFormat) {
    constexpr std::string_view kDateFields = "deymYCgG";
    DateTimeSeparators separators;
    separators.date = SeparatorBetween(dateFormat, kDateFields, kDateFields, separators.date);
    separators.time = SeparatorBetween(timeFormat, "HIkl", "M", separators.time);
    return separators;
}

}  // namespace quicktock
