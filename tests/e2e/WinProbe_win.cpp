// Prints Quicktock's windows for the end-to-end test, one line each, tab-separated: the client
// area's origin on the screen; then "control" or "message", the control id, the class, enabled,
// check state, the text in UTF-8. Given an executable's path, its version information instead.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(HWND window, const char* kind) {
    wchar_t wide[1024] = {};
    char text[4096] = {};
    char className[64] = {};
    GetWindowTextW(window, wide, 1024);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    GetClassNameA(window, className, sizeof className);
    std::printf("%s\t%d\t%s\t%d\t%d\t%s\n", kind, GetDlgCtrlID(window), className,
                IsWindowEnabled(window) ? 1 : 0,
                static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)), text);
}

BOOL CALLBACK PrintChild(HWND window, LPARAM kind) {
    Print(window, reinterpret_cast<const char*>(kind));
    return TRUE;
}

BOOL CALLBACK PrintMessage(HWND window, LPARAM) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "QuicktockMessage") == 0 && IsWindowVisible(window)) {
        EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>("message"));
    }
    return TRUE;
}

}  // namespace

// The version information of an executable, as the system reads it.
void PrintVersion(const wchar_t* path) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(path, &ignored));
    if (data.empty() ||
        !GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data())) {
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &size);
    std::printf("version\tFixed\t%d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
    for (const wchar_t* name :
         {L"Comments", L"FileVersion", L"ProductVersion", L"ProductName", L"InternalName"}) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        if (VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &size)) {
            char text[1024] = {};
            WideCharToMultiByte(CP_UTF8, 0, value, -1, text, sizeof text, nullptr, nullptr);
            std::printf("version\t%ls\t%s\n", name, text);
        }
    }
}

int wmain(int argc, wchar_t* argv[]) {
    if (argc > 1) {
        PrintVersion(argv[1]);
        return 0;
    }
    if (const HWND form = FindWindowW(L"QuicktockForm1", nullptr)) {
        POINT origin{};
        ClientToScreen(form, &origin);
        std::printf("client\t%ld\t%ld\n", origin.x, origin.y);
        EnumChildWindows(form, PrintChild, reinterpret_cast<LPARAM>("control"));
    }
    EnumWindows(PrintMessage, 0);
    return 0;
}
