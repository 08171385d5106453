#include "platform/OsProfileFunctions.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "platform/WideText_win.h"
#include "settings/IniText.h"
#include "settings/TextEncoding.h"

namespace quicktock {
namespace {

// A text as the ANSI profile functions would receive it: what the ANSI code page cannot hold
// becomes its replacement character, exactly as when the program passes ANSI texts.
std::wstring ThroughAnsi(const std::string& utf8) {
    return Widen(CP_ACP, Narrow(CP_ACP, Widen(CP_UTF8, utf8)));
}

// The longest start of an ANSI text within limit bytes that ends on a whole character, so that a
// double-byte character is never split.
std::size_t WholeAnsiLength(std::string_view ansi, std::size_t limit) {
    std::size_t length = 0;
    while (length < ansi.size()) {
        const std::size_t next = length + (IsDBCSLeadByte(static_cast<BYTE>(ansi[length])) ? 2 : 1);
        if (next > limit || next > ansi.size()) {
            break;
        }
        length = next;
    }
    return length;
}

}  // namespace

// The file's path goes to the system in UTF-16, so that a folder named outside the ANSI code
// page still holds its settings; every other text passes through the ANSI code page, and the
// value is cut where the ANSI function would cut it: at size - 1 bytes of that code page.
std::size_t OsProfileFunctions::ReadValue(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, char* buffer,
                                          std::size_t size, const std::string& fileName) {
    if (size == 0) {
        return 0;
    }
    // An ANSI character is at least one byte and one UTF-16 unit, so size units hold the cut.
    std::wstring wide(size, L'\0');
    const DWORD count = GetPrivateProfileStringW(
        ThroughAnsi(section).c_str(), ThroughAnsi(key).c_str(), ThroughAnsi(defaultValue).c_str(),
        wide.data(), static_cast<DWORD>(size), Widen(CP_UTF8, fileName).c_str());
    wide.resize(count < size ? count : size - 1);
    const std::string ansi = Narrow(CP_ACP, wide);
    const std::string value = Narrow(
        CP_UTF8, Widen(CP_ACP, std::string_view(ansi).substr(0, WholeAnsiLength(ansi, size - 1))));
    std::memcpy(buffer, value.data(), value.size());
    buffer[value.size()] = '\0';
    return value.size();
}

bool OsProfileFunctions::WriteValue(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& fileName) {
    // Bytes that are not UTF-8 would be stored changed, and a changed key never found again.
    if (fileName.empty() || !CanStoreIniEntry(section, key, value) || !IsValidUtf8(section) ||
        !IsValidUtf8(key) || !IsValidUtf8(value) || !IsValidUtf8(fileName)) {
        return false;
    }
    const std::wstring path = Widen(CP_UTF8, fileName);
    // A new settings file is written in the ANSI code page, as the ANSI function writes it; the
    // UTF-16 function may start a missing file in UTF-16, but keeps the encoding of one that
    // exists, so the file is made first, empty. An existing UTF-16 file stays UTF-16.
    const HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
        CloseHandle(created);
    }
    const BOOL written =
        WritePrivateProfileStringW(ThroughAnsi(section).c_str(), ThroughAnsi(key).c_str(),
                                   ThroughAnsi(value).c_str(), path.c_str());
    if (!written && created != INVALID_HANDLE_VALUE) {
        DeleteFileW(path.c_str());
    }
    return written != 0;
}

}  // namespace quicktock
