#include "settings/SettingsPath.h"

namespace quicktock {
namespace {

// The base of the user's configuration folders; a relative XDG_CONFIG_HOME is ignored, as the
// XDG base directory rules ask.
std::string ConfigurationHome(const SettingsPlaces& places) {
    if (!places.Privileged()) {
        const auto configHome = places.Environment("XDG_CONFIG_HOME");
        if (configHome && configHome->starts_with('/')) {
            return *configHome;
        }
        const auto home = places.Environment("HOME");
        if (home && !home->empty()) {
            return *home + "/.config";
        }
    }
    return places.RealUserHome() + "/.config";
}

}  // namespace

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

std::string DecideSettingsPath(const std::string& executablePath, SettingsPlaces& places) {
    const std::string beside = SettingsPath(executablePath, '/');
    const std::string::size_type slash = beside.rfind('/');
    const std::string folder = slash == 0 ? "/" : beside.substr(0, slash);
    if (places.FileExists(beside) || places.FolderWritable(folder)) {
        return beside;
    }
    const std::string own = ConfigurationHome(places) + "/quicktock";
    places.CreatePrivateFolder(own);
    return own + beside.substr(slash);
}

}  // namespace quicktock
