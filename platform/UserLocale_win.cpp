#include "platform/UserLocale.h"

#include <windows.h>

namespace quicktock {
namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t wide[16] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, wide, 16) <= 1) {
        return fallback;
    }
    char utf8[64] = {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    return length > 1 ? std::string(utf8) : std::string(fallback);
}

}  // namespace

DateTimeSeparators UserDateTimeSeparators() {
    return DateTimeSeparators{LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":")};
}

std::string UserDecimalSeparator() {
    return LocaleText(LOCALE_SDECIMAL, ".");
}

}  // namespace quicktock
