#pragma once

#include <cstddef>
#include <string>

namespace quicktock {

// The two functions through which the settings file is read and written, one value per call,
// with the behaviour of the Windows profile functions of the same names. Texts are UTF-8. Each
// call opens the file afresh and keeps nothing open or cached afterwards.
class ProfileFunctions {
public:
    virtual ~ProfileFunctions() = default;

    // The bytes the buffer of a read needs for each byte of its size: size counts bytes of the
    // settings file's code page (UTF-8 here, the ANSI code page on Windows), and one byte of the
    // ANSI code page can take three in UTF-8.
    static constexpr std::size_t kBufferBytesPerSize = 3;

    // Copies the value of key in section of the file into buffer, or defaultValue (without its
    // trailing blanks) when the file, the section or the key is missing. The text is cut to at
    // most size - 1 bytes of the file's code page at the last whole character, then ended with a
    // NUL byte in UTF-8; buffer holds kBufferBytesPerSize * size bytes. Returns the number of
    // bytes copied before the NUL. A size of 0 leaves the buffer untouched.
    virtual std::size_t ReadValue(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, char* buffer, std::size_t size,
                                  const std::string& fileName) = 0;

    // Stores value as the value of key in section, creating the file, the section or the key
    // where missing and leaving everything else as it was. Returns false, with the file
    // unchanged, when the file cannot be written or the entry could not be read back (a line
    // break anywhere, or a key holding "=" or starting with ";" or "[").
    virtual bool WriteValue(const std::string& section, const std::string& key,
                            const std::string& value, const std::string& fileName) = 0;
};

}  // namespace quicktock
