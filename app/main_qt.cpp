// Quicktock on Linux: the one place that creates the machine's real clock.

#include <QApplication>

#include "platform/OsExecutableLocation.h"
#include "platform/OsProfileFunctions.h"
#include "platform/OsSystemClock.h"
#include "platform/OsTimeSyncService.h"
#include "platform/UserLocale.h"
#include "platform/qt/QtTimeSyncService.h"
#include "settings/IniFile.h"
#include "window/qt/QtForm1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quicktock");
    QApplication::setDesktopFileName("quicktock");

    quicktock::OsSystemClock clock;
    quicktock::OsProfileFunctions profile;
    quicktock::IniFile settingsFile(profile);
    const quicktock::OsExecutableLocation executable;
    quicktock::OsTimeSyncService processTimeSync;
    quicktock::QtTimeSyncService timeSync(processTimeSync);

    quicktock::QtForm1 window(quicktock::Form1::Services{
        clock, settingsFile, executable, quicktock::UserDateTimeSeparators(),
        quicktock::UserDecimalSeparator(), &timeSync});
    window.loadAndShow();
    return QApplication::exec();
}
