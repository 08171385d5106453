#include "platform/UserLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

#include "platform/DateFormatSeparators.h"

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

}  // namespace

DateTimeSeparators UserDateTimeSeparators() {
    const EnvironmentLocale locale;
    return SeparatorsOfFormats(locale.Info(D_FMT), locale.Info(T_FMT));
}

std::string UserDecimalSeparator() {
    const EnvironmentLocale locale;
    const std::string_view radix = locale.Info(RADIXCHAR);
    return radix.empty() ? "." : std::string(radix);
}

}  // namespace quicktock
