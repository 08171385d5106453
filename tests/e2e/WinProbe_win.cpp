// Prints Quicktock's windows for the end-to-end test, one line each, tab-separated: the client
// area's origin on the screen; then "control" or "message", the control id, the class, enabled,
// check state, the text in UTF-8.
#include <windows.h>

#include <cstdio>

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

int main() {
    if (const HWND form = FindWindowW(L"QuicktockForm1", nullptr)) {
        POINT origin{};
        ClientToScreen(form, &origin);
        std::printf("client\t%ld\t%ld\n", origin.x, origin.y);
        EnumChildWindows(form, PrintChild, reinterpret_cast<LPARAM>("control"));
    }
    EnumWindows(PrintMessage, 0);
    return 0;
}
