// For the end-to-end test, reads Quicktock's windows from outside, as a Windows program.
//   WinProbe              prints the id of the control with the keyboard focus ("focus"), then
//                         each visible control one a line, tab-separated: "control" (the main
//                         window's) or "message" (an open message's), id, class, enabled, check
//                         state, text
//   WinProbe click ID     clicks the main window's or else the message's control with this id, as
//                         the user's click on it does
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

void Print(HWND window, const char* kind) {
    wchar_t text[1024] = {};
    char className[64] = {};
    GetWindowTextW(window, text, 1024);
    GetClassNameA(window, className, sizeof className);
    std::printf("%s\t%d\t%s\t%d\t%d\t%s\n", kind, GetDlgCtrlID(window), className,
                IsWindowEnabled(window) ? 1 : 0,
                static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)), Utf8(text).c_str());
}

BOOL CALLBACK PrintChild(HWND window, LPARAM kind) {
    if (IsWindowVisible(window)) {
        Print(window, reinterpret_cast<const char*>(kind));
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
    const HWND message = FindWindowW(L"QuicktockMessage", nullptr);
    if (command == L"version" && argc > 2) {
        PrintVersion(argv[2]);
    } else if (command == L"click" && argc > 2 && form != nullptr) {
        const int id = _wtoi(argv[2]);
        const HWND control = GetDlgItem(form, id) ? GetDlgItem(form, id) : GetDlgItem(message, id);
        if (control == nullptr) {
            std::printf("no control %d\n", id);
            return 1;
        }
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (command.empty() && form != nullptr) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread);
        std::printf("focus\t%d\n", thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0);
        EnumChildWindows(form, PrintChild, reinterpret_cast<LPARAM>("control"));
        if (message != nullptr) {
            EnumChildWindows(message, PrintChild, reinterpret_cast<LPARAM>("message"));
        }
    }
    return 0;
}
