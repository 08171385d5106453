#pragma once

#include <cstddef>
#include <string>

#include "settings/ProfileFunctions.h"

namespace quicktock {

// Reads and writes single values of a settings file. Every call goes to the file afresh through
// the profile functions; nothing is kept between calls.
class IniFile {
public:
    // What a read gives when the file, the section or the key is missing. A stored "ERROR" reads
    // the same.
    static constexpr const char* kMissing = "ERROR";
    // The read buffer's size, so a value comes back cut to 254 bytes.
    static constexpr std::size_t kBufferSize = 255;

    explicit IniFile(ProfileFunctions& profile) : profile_(profile) {}

    // The value of KEY in Section of the file ININame, or "ERROR".
    std::string GetINIValue(const std::string& KEY, const std::string& Section,
                            const std::string& ININame);

    // Stores Value as KEY in Section of the file ININame; true when the file now holds it.
    bool SetINIValue(const std::string& Value, const std::string& KEY, const std::string& Section,
                     const std::string& ININame);

private:
    ProfileFunctions& profile_;
};

}  // namespace quicktock
