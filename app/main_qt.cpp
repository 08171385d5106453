// Quicktock on Linux: the one place that creates the machine's real clock.

#include <QApplication>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/InstalledPlace.h"
#include "app/ProgramIcon.h"
#include "engine/Version.h"
#include "platform/ExecutablePath.h"
#include "platform/OsProfileFunctions.h"
#include "platform/OsSettingsPlaces_posix.h"
#include "platform/OsSystemClock.h"
#include "platform/OsTimeSyncService.h"
#include "platform/SecureExecution_posix.h"
#include "platform/UserLocale.h"
#include "platform/qt/QtTimeSyncService.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "window/qt/QtForm1.h"

namespace {

// The command that grants the right names the program where its build installs it.
constexpr const char* kHelp =
    "Usage: quicktock [--help | --version | Qt options]\n"
    "Makes the computer's clock run fast: while it accelerates (>>), a clock minute passes in\n"
    "two seconds (four with \"10sec\"). Setting the clock needs the right CAP_SYS_TIME:\n"
    "  sudo setcap cap_sys_time+ep %s/quicktock\n"
    "The Exit button saves the window and options beside the program when that folder is\n"
    "writable, otherwise, and always for an installed copy, in ~/.config/quicktock/.\n";

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Answers --help and --version before any display is needed; true when it did.
bool AnsweredQuestion(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            std::printf(kHelp, quicktock::InstalledProgramFolder());
            return true;
        }
        if (argument == "--version") {
            std::puts(QUICKTOCK_PROGRAM_NAME " " QUICKTOCK_VERSION_SHOWN);
            return true;
        }
    }
    return false;
}

bool NamesPlatform(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-platform" || argument == "--platform") {
            return true;
        }
    }
    return IsSet("QT_QPA_PLATFORM");
}

// The window can be placed where it was saved only on X: whenever there is an X display (one of
// a Wayland session included), Qt is to use it. False when there is no display at all.
bool ChoosePlatform(bool named) {
    if (named) {
        return true;
    }
    if (IsSet("DISPLAY")) {
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    if (IsSet("WAYLAND_DISPLAY")) {
        ::setenv("QT_QPA_PLATFORM", "wayland", 1);
        return true;
    }
    return false;
}

// While the application object is made, a display that cannot be opened is a fatal error in Qt,
// which then aborts with advice to reinstall: say in one line what is wrong and end with 1. Qt's
// other messages of that moment are held back until it is clear the window can be shown.
QStringList heldMessages;

void ReportUnusableDisplay(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.append(message);
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const QString reason = heldMessages.isEmpty() ? message.section('\n', 0, 0) : heldMessages[0];
    std::fprintf(stderr, "quicktock: cannot show the window on the display %s (%s)\n",
                 display != nullptr ? display : "(none)", reason.toLocal8Bit().constData());
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Granted the right to set the clock, the program must not let the user who starts it choose
    // code for it to run: Qt loads plug-ins from folders named in the environment or on the
    // command line.
    const bool secure = quicktock::InSecureExecution();
    if (secure) {
        quicktock::KeepOnlyTrustedEnvironment();
    }
    if (AnsweredQuestion(argc, argv)) {
        return 0;
    }
    if (!ChoosePlatform(!secure && NamesPlatform(argc, argv))) {
        std::fputs(
            "quicktock: no display to show the window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set)\n",
            stderr);
        return 1;
    }

    // Decided once: a rebuild may replace the executable while it runs.
    const std::string executablePath = quicktock::ExecutablePath();
    quicktock::OsSettingsPlaces places(quicktock::InstalledProgramFolder());
    const quicktock::SettingsFiles settingsFiles =
        quicktock::DecideSettingsFiles(executablePath, '/', &places);

    char programName[] = "quicktock";
    char* trustedArguments[] = {programName, nullptr};
    int trustedCount = 1;
    const QStringList systemPlugins{QLibraryInfo::path(QLibraryInfo::PluginsPath)};
    if (secure) {
        QCoreApplication::setLibraryPaths(systemPlugins);
    }
    const QtMessageHandler defaultHandler = qInstallMessageHandler(ReportUnusableDisplay);
    QApplication application(secure ? trustedCount : argc, secure ? trustedArguments : argv);
    qInstallMessageHandler(defaultHandler);
    for (const QString& message : heldMessages) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    if (secure) {
        // Qt adds the executable's own folder while it starts; no later plug-in comes from there.
        QCoreApplication::setLibraryPaths(systemPlugins);
    }
    QApplication::setApplicationName(QUICKTOCK_PROGRAM_NAME);
    QApplication::setApplicationVersion(QUICKTOCK_VERSION_SHOWN);
    QApplication::setDesktopFileName("quicktock");
    QApplication::setWindowIcon(quicktock::ProgramIcon());

    quicktock::OsSystemClock clock;
    quicktock::OsProfileFunctions profile;
    quicktock::IniFile settingsFile(profile);
    quicktock::OsTimeSyncService processTimeSync;
    quicktock::QtTimeSyncService timeSync(processTimeSync);
    quicktock::QtForm1 window(quicktock::Form1::Services{
        clock, settingsFile, executablePath, settingsFiles, quicktock::UserDateTimeSeparators(),
        quicktock::UserDecimalSeparator(), &timeSync});
    window.LoadAndShow();
    return QApplication::exec();
}
