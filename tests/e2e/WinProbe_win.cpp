// For the end-to-end test, reads Quicktock's window from outside, as a Windows program.
//   WinProbe              prints each visible control of the main window one a line,
//                         tab-separated: id, enabled, check state, text
//   WinProbe version EXE  prints the executable's version information
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

BOOL CALLBACK PrintControl(HWND window, LPARAM) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    if (IsWindowVisible(window)) {
        std::printf("%d\t%d\t%d\t%s\n", GetDlgCtrlID(window), IsWindowEnabled(window) ? 1 : 0,
                    static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)), Utf8(text).c_str());
    }
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
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const HWND form = FindWindowW(L"QuicktockForm1", nullptr);
    if (command == L"version" && argc > 2) {
        PrintVersion(argv[2]);
    } else if (command.empty() && form != nullptr) {
        EnumChildWindows(form, PrintControl, 0);
    }
    return 0;
}
