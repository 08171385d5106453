#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "platform/OsProfileFunctions.h"
#include "settings/IniFile.h"

namespace quicktock {

// Whether the profile functions are the system's own (Windows): they keep the settings file in
// the ANSI code page, cut values in its bytes, and lay out what they write by their own rules.
inline constexpr bool kSystemProfile = QUICKTOCK_SYSTEM_PROFILE;

// A fresh, empty folder for each test under the system's temporary folder, removed afterwards,
// and the machine's profile functions to read and write settings files in it.
class SettingsFolder : public ::testing::Test {
protected:
    SettingsFolder() {
        std::random_device random;
        do {
            folder_ = std::filesystem::temp_directory_path() /
                      ("quicktock-settings-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder_));
    }
    ~SettingsFolder() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& name) const {
        std::ostringstream bytes;
        bytes << std::ifstream(PathOf(name), std::ios::binary).rdbuf();
        return bytes.str();
    }
    std::set<std::string> FileNames(const std::string& under = "") const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_ / under)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    // Reads as the program does: through its buffer of 255 bytes, with "ERROR" as the default.
    std::string Get(const std::string& section, const std::string& key, const std::string& path) {
        return IniFile(profile).GetINIValue(key, section, path);
    }

    OsProfileFunctions profile;

private:
    std::filesystem::path folder_;
};

}  // namespace quicktock
