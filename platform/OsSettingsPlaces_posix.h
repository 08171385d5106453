#pragma once

#include <string>
#include <utility>

#include "settings/SettingsPlaces.h"

namespace quicktock {

// This machine's folders and user, for deciding where the settings live. Windows needs none: its
// settings stay beside the executable.
class OsSettingsPlaces final : public SettingsPlaces {
public:
    // installedFolder: the folder the program was built to be installed in.
    explicit OsSettingsPlaces(std::string installedFolder)
        : installedFolder_(std::move(installedFolder)) {}

    bool FileExists(const std::string& path) const override;
    bool IsInstalledFolder(const std::string& folder) const override;
    bool FolderWritable(const std::string& folder) const override;
    void CreatePrivateFolder(const std::string& folder) override;
    std::optional<std::string> Environment(const std::string& name) const override;
    bool Privileged() const override;
    std::string RealUserHome() const override;

private:
    std::string installedFolder_;
};

}  // namespace quicktock
