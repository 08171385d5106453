#pragma once

#include <cstddef>
#include <string>

#include "settings/ProfileFunctions.h"

namespace quicktock {

// The profile functions of this machine. On Windows these are the system's own; elsewhere the
// settings file is read and written by the same rules (see settings/IniText.h), in UTF-8, or in
// UTF-16LE when the file starts with that byte-order mark.
//
// A save never leaves a damaged file: the new text goes to a file beside the old one, which is
// then renamed over it (through a symbolic link to its target, keeping the old permissions), so
// a crash, a full disk or a refused rename leaves the old file whole; the next save removes what
// a killed save left behind. Another user's link in a shared sticky folder is never followed. A
// file the user may not write to, or one without any write permission, is refused as read-only, as
// Windows refuses a read-only file. In a UTF-16LE file a section, key or value that is not UTF-8 is
// refused, as it could not be stored unchanged; so is every save to a file whose other lines could
// not be kept as they are (UTF-16BE, or UTF-16LE that is not whole), and one that would make the
// file larger than a read takes.
class OsProfileFunctions final : public ProfileFunctions {
public:
    std::size_t ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue, char* buffer, std::size_t size,
                          const std::string& fileName) override;
    bool WriteValue(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& fileName) override;
};

}  // namespace quicktock
