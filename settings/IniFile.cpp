#include "settings/IniFile.h"

#include <algorithm>
#include <array>

namespace quicktock {

std::string IniFile::GetINIValue(const std::string& KEY, const std::string& Section,
                                 const std::string& ININame) {
    std::array<char, kBufferSize * ProfileFunctions::kBufferBytesPerSize> buffer{};
    profile_.ReadValue(Section, KEY, kMissing, buffer.data(), kBufferSize, ININame);
    // The text ends at the first NUL; searching no further than the buffer keeps a faulty
    // profile function that filled it completely from reading beyond it.
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

bool IniFile::SetINIValue(const std::string& Value, const std::string& KEY,
                          const std::string& Section, const std::string& ININame) {
    return profile_.WriteValue(Section, KEY, Value, ININame);
}

}  // namespace quicktock
