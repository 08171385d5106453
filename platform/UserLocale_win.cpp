#include "platform/UserLocale.h"

#include <windows.h>

#include "platform/WideText_win.h"

namespace quicktock {
namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t wide[16] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, wide, 16);
    return length > 1 ? Narrow(CP_UTF8, std::wstring_view(wide, length - 1)) : fallback;
}

}  // namespace

DateTimeSeparators UserDateTimeSeparators() {
    return DateTimeSeparators{LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":")};
}

std::string UserDecimalSeparator() {
    return LocaleText(LOCALE_SDECIMAL, ".");
}

}  // namespace quicktock
