#include "settings/SettingsPath.h"

namespace quicktock {

std::string SettingsPath(const std::string& executablePath, char folderSeparator) {
    const auto slash = executablePath.rfind(folderSeparator);
    const std::string folder = slash == std::string::npos ? "" : executablePath.substr(0, slash);
    std::string name =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return folder + folderSeparator + name + ".ini";
}

}  // namespace quicktock
