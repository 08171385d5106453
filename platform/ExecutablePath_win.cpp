#include "platform/ExecutablePath.h"

#include <windows.h>

#include <vector>

#include "platform/WideText_win.h"

namespace quicktock {

std::string ExecutablePath() {
    std::vector<wchar_t> wide(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length == 0) {
            return {};
        }
        if (length < wide.size()) {
            return Narrow(CP_UTF8, std::wstring_view(wide.data(), length));
        }
        wide.resize(wide.size() * 2);
    }
}

}  // namespace quicktock
