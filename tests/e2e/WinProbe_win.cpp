// For the end-to-end test, prints Quicktock's windows one a line, tab-separated: the client
// area's origin on the screen, then "control" or "message", id, class, enabled, check state and
// text in UTF-8. Given an executable's path, prints its version information instead.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* wide) {
    char text[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

BOOL CALLBACK PrintControl(HWND window, LPARAM kind) {
    wchar_t text[1024] = {};
    char className[64] = {};
    GetWindowTextW(window, text, 1024);
    GetClassNameA(window, className, sizeof className);
    std::printf("%s\t%d\t%s\t%d\t%d\t%s\n", reinterpret_cast<const char*>(kind),
                GetDlgCtrlID(window), className, IsWindowEnabled(window) ? 1 : 0,
                static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)), Utf8(text).c_str());
    return TRUE;
}

void PrintVersion(const wchar_t* path) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(path, &ignored) + 1);
    GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &size)) {
        std::printf("version\tFixed\t%d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
    }
    for (const wchar_t* name :
         {L"Comments", L"FileVersion", L"ProductVersion", L"ProductName", L"InternalName"}) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        if (VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &size)) {
            std::printf("version\t%s\t%s\n", Utf8(name).c_str(), Utf8(value).c_str());
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc > 1) {
        PrintVersion(argv[1]);
    } else if (const HWND form = FindWindowW(L"QuicktockForm1", nullptr)) {
        POINT origin{};
        ClientToScreen(form, &origin);
        std::printf("client\t%ld\t%ld\n", origin.x, origin.y);
        EnumChildWindows(form, PrintControl, reinterpret_cast<LPARAM>("control"));
        if (const HWND message = FindWindowW(L"QuicktockMessage", nullptr)) {
            EnumChildWindows(message, PrintControl, reinterpret_cast<LPARAM>("message"));
        }
    }
    return 0;
}
