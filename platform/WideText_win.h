#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quicktock {

// Conversions between the program's UTF-8 texts (or a code page's bytes) and Windows' UTF-16.
// What the target cannot hold becomes the code page's replacement character.
std::wstring Widen(UINT codePage, std::string_view text);
std::string Narrow(UINT codePage, std::wstring_view wide);

}  // namespace quicktock
