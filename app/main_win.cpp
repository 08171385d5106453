// Quicktock on Windows: the one place that creates the machine's real clock.

#include <windows.h>

#include "platform/OsExecutableLocation.h"
#include "platform/OsProfileFunctions.h"
#include "platform/OsSystemClock.h"
#include "platform/UserLocale.h"
#include "settings/IniFile.h"
#include "window/win32/Win32Form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Libraries load from the system folder only, never from the program's or the working folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    quicktock::OsSystemClock clock;
    quicktock::OsProfileFunctions profile;
    quicktock::IniFile settingsFile(profile);
    const quicktock::OsExecutableLocation executable;

    quicktock::Win32Form1 window(quicktock::Form1::Services{clock, settingsFile, executable,
                                                            quicktock::UserDateTimeSeparators(),
                                                            quicktock::UserDecimalSeparator()});
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
