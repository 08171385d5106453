#pragma once

#include <string>

#include "settings/SettingsPlaces.h"

namespace quicktock {

// The settings file beside the executable: its folder, the separator, its name without the
// extension, ".ini". A copy of the program under another name keeps its own settings. A program
// whose own file has that name ("quicktock.ini") keeps them in "quicktock.ini.ini" instead, or
// its first save would write over it. With a backslash as separator (Windows), names match
// whatever their case.
std::string SettingsPath(const std::string& executablePath, char folderSeparator);

// The settings files of one run: the one read at start-up and the one the Exit button writes.
struct SettingsFiles {
    std::string load;
    std::string save;
};

// Where the program keeps its settings, decided once at start-up. Without places (Windows) they
// always stay beside the executable, where the program, run as administrator, may write them.
// With the places of a system with per-user configuration folders, a copy installed where it was
// built to be installed keeps every user's settings, the superuser's too, in that user's
// configuration folder: $XDG_CONFIG_HOME/quicktock/<name>.ini, by default
// ~/.config/quicktock/<name>.ini, whose folder is created private to the user; while the user has
// no file there, one that an earlier version left beside the program gives the starting values. Any
// other copy keeps them beside itself when a file of that name is already there (the user put it
// there, even read-only) or when the user may write in that folder (a portable copy), and otherwise
// in the user's configuration folder. A privileged program takes that folder from the user
// database, never from the environment, which its user chooses.
SettingsFiles DecideSettingsFiles(const std::string& executablePath, char folderSeparator,
                                  SettingsPlaces* places);

}  // namespace quicktock
