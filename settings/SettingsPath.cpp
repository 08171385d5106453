#include "settings/SettingsPath.h"

#include <algorithm>
#include <string_view>

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

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
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
    const std::string path = folder + folderSeparator + name + ".ini";
    const bool ownFile = folderSeparator == '\\' ? SameIgnoringAsciiCase(path, executablePath)
                                                 : path == executablePath;
    return ownFile ? executablePath + ".ini" : path;
}

SettingsFiles DecideSettingsFiles(const std::string& executablePath, char folderSeparator,
                                  SettingsPlaces* places) {
    const std::string beside = SettingsPath(executablePath, folderSeparator);
    if (places == nullptr) {
        return {beside, beside};
    }
    const std::string::size_type slash = beside.rfind(folderSeparator);
    const std::string folder = beside.substr(0, slash == 0 ? 1 : slash);
    const bool installed = places->IsInstalledFolder(folder);
    if (!installed && (places->FileExists(beside) || places->FolderWritable(folder))) {
        return {beside, beside};
    }
    const std::string ownFolder = ConfigurationHome(*places) + "/quicktock";
    places->CreatePrivateFolder(ownFolder);
    const std::string own = ownFolder + beside.substr(slash);
    const bool startBeside = installed && !places->FileExists(own) && places->FileExists(beside);
    return {startBeside ? beside : own, own};
}

}  // namespace quicktock
