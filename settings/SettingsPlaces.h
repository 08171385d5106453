#pragma once

#include <optional>
#include <string>

namespace quicktock {

// What deciding where the settings file lives needs to know about this machine and its user.
class SettingsPlaces {
public:
    virtual ~SettingsPlaces() = default;

    virtual bool FileExists(const std::string& path) const = 0;
    // Whether the folder is the one the program was built to be installed in (the bin folder of
    // its install prefix).
    virtual bool IsInstalledFolder(const std::string& folder) const = 0;
    // Whether the user who started the program (the real user, not a granted right) may create
    // files in the folder.
    virtual bool FolderWritable(const std::string& folder) const = 0;
    // Creates the folder, and any missing folder above it, readable by the user alone. One that
    // cannot be made shows later: the settings in it read as missing and cannot be saved.
    virtual void CreatePrivateFolder(const std::string& folder) = 0;
    // An environment variable; none when unset.
    virtual std::optional<std::string> Environment(const std::string& name) const = 0;
    // Whether the program runs with a right its user lacks, so that the environment is the
    // user's to choose and cannot be trusted to name folders.
    virtual bool Privileged() const = 0;
    // The home folder of the user who started the program, from the system's user database.
    virtual std::string RealUserHome() const = 0;
};

}  // namespace quicktock
