#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quicktock {

// The length of the longest start of a UTF-8 text that fits in limit bytes without splitting a
// character. Bytes that belong to no character count one by one, so text that is not UTF-8 is
// cut exactly at the limit.
std::size_t WholeCharacterLength(std::string_view text, std::size_t limit);

// Copies text into a buffer of size bytes as a profile function does: cut to size - 1 bytes at
// a whole character and ended with a NUL byte. Returns the bytes copied before the NUL; a size
// of 0 copies nothing.
std::size_t CopyWholeCharacters(std::string_view text, char* buffer, std::size_t size);

// Whether the text is UTF-8 throughout, so that it survives a conversion to UTF-16LE unchanged.
bool IsValidUtf8(std::string_view text);

// Conversions between UTF-16LE bytes (without byte-order mark) and UTF-8. What cannot be
// converted (a lone surrogate, a byte that starts no UTF-8 character) becomes U+FFFD; an odd
// last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view text);

// Whether UTF-16LE bytes convert to UTF-8 and back unchanged: an even count of bytes, every
// surrogate in a pair.
bool IsWholeUtf16Le(std::string_view bytes);

// The number of bytes Utf8ToUtf16Le gives for the text, found without converting it.
std::size_t Utf16LeSize(std::string_view text);

}  // namespace quicktock
