#include "platform/OsExecutableLocation.h"

#include <windows.h>

#include <vector>

namespace quicktock {

std::string OsExecutableLocation::Path() const {
    std::vector<wchar_t> wide(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length == 0) {
            return {};
        }
        if (length < wide.size()) {
            const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length),
                                                  nullptr, 0, nullptr, nullptr);
            std::string path(static_cast<std::size_t>(bytes), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), path.data(),
                                bytes, nullptr, nullptr);
            return path;
        }
        wide.resize(wide.size() * 2);
    }
}

char OsExecutableLocation::FolderSeparator() const {
    return '\\';
}

}  // namespace quicktock
