#pragma once

#include <string>

#include "settings/IniFile.h"
#include "settings/SettingsForm.h"

namespace quicktock {

// The ten settings that carry the window's frame, the two number boxes and the four check boxes
// from one run to the next, all in the section "Data" of the settings file.
class SavedSettings {
public:
    static constexpr const char* kSection = "Data";

    SavedSettings(IniFile& file, std::string decimalSeparator);

    // Restores each key in turn; a missing key, or one whose value cannot be used, leaves that
    // setting as laid out and the rest still load.
    void Load(SettingsForm& form, const std::string& settingsPath);

    // Writes the ten keys in order. A failed write does not stop the following ones and is not
    // reported: the program ends all the same.
    void Save(const SettingsForm& form, const std::string& settingsPath);

private:
    IniFile& file_;
    std::string decimalSeparator_;
};

}  // namespace quicktock
