#include "platform/WideText_win.h"

namespace quicktock {

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int count = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), count, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), count, wide.data(), length);
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
    WideCharToMultiByte(codePage, 0, wide.data(), count, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace quicktock
