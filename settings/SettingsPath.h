#pragma once

#include <string>

namespace quicktock {

// The settings file beside the executable: its folder, the separator, its name without the
// extension, ".ini". A copy of the program under another name keeps its own settings.
std::string SettingsPath(const std::string& executablePath, char folderSeparator);

}  // namespace quicktock
