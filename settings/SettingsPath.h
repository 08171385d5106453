#pragma once

#include <string>

#include "platform/SettingsPlaces.h"

namespace quicktock {

// The settings file beside the executable: its folder, the separator, its name without the
// extension, ".ini". A copy of the program under another name keeps its own settings. A program
// whose own file has that name ("quicktock.ini") keeps them in "quicktock.ini.ini" instead, or
// its first save would write over it. With a backslash as separator (Windows), names match
// whatever their case.
std::string SettingsPath(const std::string& executablePath, char folderSeparator);

// Where the program keeps its settings on a system with per-user configuration folders, decided
// once at start-up. Beside the executable when a file of that name is already there (the user
// put it there, even read-only) or when the user may write in that folder (a portable copy).
// Otherwise, as an installed program, in the user's configuration folder:
// $XDG_CONFIG_HOME/quicktock/<name>.ini, by default ~/.config/quicktock/<name>.ini, whose folder
// is created private to the user. A privileged program takes the folder from the user database,
// never from the environment, which its user chooses.
std::string DecideSettingsPath(const std::string& executablePath, SettingsPlaces& places);

}  // namespace quicktock
