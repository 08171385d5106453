#include "platform/OsProfileFunctions.h"

#include <windows.h>

#include <string_view>

#include "platform/IniText.h"
#include "platform/TextEncoding.h"

namespace quicktock {
namespace {

// Profile values are far shorter; this only keeps the size within a DWORD.
constexpr std::size_t kMaxAnsiBuffer = 65535;

std::wstring Widen(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int count = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), count, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0) {
        MultiByteToWideChar(codePage, flags, text.data(), count, wide.data(), length);
    }
    return wide;
}

std::string Narrow(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int count = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), count, text.data(), length, nullptr, nullptr);
    }
    return text;
}

// UTF-8 to the ANSI code page, through UTF-16.
std::string ToAnsi(const std::string& text) {
    return Narrow(CP_ACP, Widen(CP_UTF8, 0, text));
}

// The ANSI code page to UTF-8. The system cuts a long value at a byte count, which can leave the
// first byte of a double-byte character at the end; that half character is dropped.
std::string FromAnsi(std::string_view ansi) {
    for (std::size_t drop = 0; drop < 4 && drop < ansi.size(); ++drop) {
        const std::wstring wide =
            Widen(CP_ACP, MB_ERR_INVALID_CHARS, ansi.substr(0, ansi.size() - drop));
        if (!wide.empty()) {
            return Narrow(CP_UTF8, wide);
        }
    }
    return Narrow(CP_UTF8, Widen(CP_ACP, 0, ansi));
}

}  // namespace

std::size_t OsProfileFunctions::ReadValue(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, char* buffer,
                                          std::size_t size, const std::string& fileName) {
    if (size == 0) {
        return 0;
    }
    std::string ansi(size < kMaxAnsiBuffer ? size : kMaxAnsiBuffer, '\0');
    const DWORD count = GetPrivateProfileStringA(
        ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(defaultValue).c_str(), ansi.data(),
        static_cast<DWORD>(ansi.size()), ToAnsi(fileName).c_str());
    ansi.resize(count < ansi.size() ? count : ansi.size() - 1);
    return CopyWholeCharacters(FromAnsi(ansi), buffer, size);
}

bool OsProfileFunctions::WriteValue(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& fileName) {
    // The system saves in one step of its own; a failure asked for by a test is a refused save.
    if (failingStep_ != FailingStep::None || !CanStoreIniEntry(section, key, value)) {
        return false;
    }
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                      ToAnsi(value).c_str(), ToAnsi(fileName).c_str()) != 0;
}

}  // namespace quicktock
