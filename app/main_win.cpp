// Quicktock on Windows: the one place that creates the machine's real clock.

#include <windows.h>

#include <string>

#include "platform/ExecutablePath.h"
#include "platform/OsProfileFunctions.h"
#include "platform/OsSystemClock.h"
#include "platform/OsTimeSyncService.h"
#include "platform/UserLocale.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "window/win32/Win32Form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Libraries load from the system folder only, never from the program's or the working folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    // Decided once: the executable may be replaced while it runs. The settings file lies beside it.
    const std::string executablePath = quicktock::ExecutablePath();
    const quicktock::SettingsFiles settingsFiles =
        quicktock::DecideSettingsFiles(executablePath, '\\', nullptr);

    quicktock::OsSystemClock clock;
    quicktock::OsProfileFunctions profile;
    quicktock::IniFile settingsFile(profile);
    quicktock::OsTimeSyncService timeSync;
    quicktock::Win32Form1 window(quicktock::Form1::Services{
        clock, settingsFile, executablePath, settingsFiles, quicktock::UserDateTimeSeparators(),
        quicktock::UserDecimalSeparator(), &timeSync});
    window.LoadAndShow(showCommand);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.HandleDialogKeys(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
