#include "platform/UserLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <string_view>

namespace quicktock {
namespace {

// The user's locale from the environment (LC_ALL, LC_TIME, LC_NUMERIC, LANG), read without
// touching the process's global locale, so that no number formatting elsewhere changes.
class EnvironmentLocale {
public:
    EnvironmentLocale() : locale_(newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", nullptr)) {
        if (locale_ == nullptr) {
            locale_ = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "C", nullptr);
        }
    }
    ~EnvironmentLocale() {
        if (locale_ != nullptr) {
            freelocale(locale_);
        }
    }
    EnvironmentLocale(const EnvironmentLocale&) = delete;
    EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;

    std::string_view Info(nl_item item) const {
        const char* text = locale_ != nullptr ? nl_langinfo_l(item, locale_) : nullptr;
        return text != nullptr ? text : "";
    }

private:
    locale_t locale_;
};

// The separator after the first field of a strftime format such as "%d.%m.%Y": a run of ASCII
// punctuation or blanks. A format whose fields are joined by letters or words has none.
std::string SeparatorIn(std::string_view format, const std::string& fallback) {
    std::size_t i = format.find('%');
    if (i == std::string_view::npos) {
        return fallback;
    }
    ++i;
    if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) {
        ++i;  // a modified conversion such as %Ey
    }
    ++i;  // the conversion letter
    std::string separator;
    while (i < format.size() && format[i] != '%') {
        const auto c = static_cast<unsigned char>(format[i]);
        if (c >= 0x80 || std::isalnum(c)) {
            return fallback;
        }
        separator += format[i];
        ++i;
    }
    return separator.empty() ? fallback : separator;
}

}  // namespace

DateTimeSeparators UserDateTimeSeparators() {
    const EnvironmentLocale locale;
    DateTimeSeparators separators;
    separators.date = SeparatorIn(locale.Info(D_FMT), separators.date);
    separators.time = SeparatorIn(locale.Info(T_FMT), separators.time);
    return separators;
}

std::string UserDecimalSeparator() {
    const EnvironmentLocale locale;
    const std::string_view radix = locale.Info(RADIXCHAR);
    return radix.empty() ? "." : std::string(radix);
}

}  // namespace quicktock
