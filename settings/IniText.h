#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quicktock {

// The text of a settings file, read and changed by the rules of the Windows profile functions,
// so that a file copied between machines or edited by hand means the same everywhere:
//
// - Lines end in CRLF, LF or a lone CR. Blanks (spaces, tabs, vertical tabs, form feeds, and
//   Ctrl+Z at the end) around names, around "=" and around a value do not count.
// - "[name]" starts a section (the name runs to the last "]" of the line); "name=value" is a
//   key, split at the first "="; a line starting with ";" is a comment; any other line, and
//   every key above the first section, belongs to no key.
// - Names match whatever their ASCII letter case. Only the first section of a name and the
//   first key of a name within it count.
// - One pair of matching double or single quotes around a value is removed on reading.
//
// The text is UTF-8 without a byte-order mark.

// The value of key in section, or nothing when the section or key is missing.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// Whether the entry can be written so that it reads back as written: no line break or NUL in any
// part, and no key that would read as something else ("=" inside, ";" or "[" first).
bool CanStoreIniEntry(std::string_view section, std::string_view key, std::string_view value);

// The whole text with key set to value in section, every line ended in CRLF. An existing key is
// rewritten where it stands; a new key follows the last key line of its section (or the section
// line); a new section goes at the end. All other lines stay as they are. Nothing when the text
// would be longer than maxSize bytes: that is known before the text is made, so that a save that
// would grow the file too far is refused before it takes the memory.
std::optional<std::string> WithIniValue(std::string_view text, std::string_view section,
                                        std::string_view key, std::string_view value,
                                        std::size_t maxSize = static_cast<std::size_t>(-1));

}  // namespace quicktock
