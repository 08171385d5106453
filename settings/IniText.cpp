#include "settings/IniText.h"

#include <cstddef>

namespace quicktock {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Vertical tabs and form feeds count as blanks, as do Ctrl+Z end-of-file marks that old editors
// leave at the end of a line.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\x1A')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Yields the lines of a text without their line ends, each byte looked at once.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') {
            ++end;
        }
        line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (end < text_.size()) {
            ++pos_;
            if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
                ++pos_;
            }
        }
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

struct IniLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;  // of a key, trimmed and unquoted
};

IniLine ParseLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') {
        return {};
    }
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {IniLine::Kind::Section, Trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {IniLine::Kind::Key, Trim(text.substr(0, equals)),
            Unquote(Trim(text.substr(equals + 1)))};
}

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    LineSplitter lines(text);
    bool inSection = false;
    std::string_view line;
    while (lines.Next(line)) {
        const IniLine parsed = ParseLine(line);
        if (parsed.kind == IniLine::Kind::Section) {
            if (inSection) {
                return std::nullopt;  // the end of the first section of that name
            }
            inSection = SameName(parsed.name, section);
        } else if (inSection && parsed.kind == IniLine::Kind::Key && SameName(parsed.name, key)) {
            return parsed.value;
        }
    }
    return std::nullopt;
}

bool CanStoreIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    if (HoldsLineBreakOrNul(section) || HoldsLineBreakOrNul(key) || HoldsLineBreakOrNul(value)) {
        return false;
    }
    key = Trim(key);
    return key.find('=') == std::string_view::npos &&
           (key.empty() || (key.front() != ';' && key.front() != '['));
}

namespace {

// Where a new value of key goes in section, found in one pass without keeping the lines.
struct EntryPlace {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t sectionLine = kNone;
    std::size_t keyLine = kNone;      // the line to rewrite
    std::size_t lastKeyLine = kNone;  // or the line to follow
    std::string_view keyName;         // the key's name as the file spells it
    std::size_t keyLineLength = 0;
    std::size_t lines = 0;
    std::size_t lineBytes = 0;  // of all lines, without their ends
};

EntryPlace FindEntryPlace(std::string_view text, std::string_view section, std::string_view key) {
    EntryPlace place;
    bool searching = true;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line); ++place.lines) {
        place.lineBytes += line.size();
        if (!searching) {
            continue;
        }
        const IniLine parsed = ParseLine(line);
        if (parsed.kind == IniLine::Kind::Section) {
            if (place.sectionLine != EntryPlace::kNone) {
                searching = false;
            } else if (SameName(parsed.name, section)) {
                place.sectionLine = place.lastKeyLine = place.lines;
            }
        } else if (place.sectionLine != EntryPlace::kNone && parsed.kind == IniLine::Kind::Key) {
            if (SameName(parsed.name, key)) {
                place.keyLine = place.lines;
                place.keyName = parsed.name;
                place.keyLineLength = line.size();
                searching = false;
            } else {
                place.lastKeyLine = place.lines;
            }
        }
    }
    return place;
}

std::size_t EntrySize(std::string_view name, std::string_view value) {
    return name.size() + 1 + value.size() + kLineEnd.size();
}

// Section and key are trimmed.
std::size_t SizeWith(const EntryPlace& place, std::string_view section, std::string_view key,
                     std::string_view value) {
    const std::size_t lines = place.lineBytes + place.lines * kLineEnd.size();
    if (place.keyLine != EntryPlace::kNone) {
        return lines - place.keyLineLength - kLineEnd.size() + EntrySize(place.keyName, value);
    }
    const std::size_t sectionLine =
        place.sectionLine == EntryPlace::kNone ? section.size() + 2 + kLineEnd.size() : 0;
    return lines + sectionLine + EntrySize(key, value);
}

}  // namespace

std::optional<std::string> WithIniValue(std::string_view text, std::string_view section,
                                        std::string_view key, std::string_view value,
                                        std::size_t maxSize) {
    section = Trim(section);
    key = Trim(key);
    const EntryPlace place = FindEntryPlace(text, section, key);
    const auto appendEntry = [&value](std::string& out, std::string_view name) {
        out.append(name).append("=").append(value).append(kLineEnd);
    };
    const std::size_t size = SizeWith(place, section, key, value);
    if (size > maxSize) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(size);
    LineSplitter splitter(text);
    std::size_t i = 0;
    for (std::string_view line; splitter.Next(line); ++i) {
        if (i == place.keyLine) {
            appendEntry(out, place.keyName);
        } else {
            out.append(line).append(kLineEnd);
        }
        if (place.keyLine == EntryPlace::kNone && i == place.lastKeyLine) {
            appendEntry(out, key);
        }
    }
    if (place.sectionLine == EntryPlace::kNone) {
        out.append("[").append(section).append("]").append(kLineEnd);
        appendEntry(out, key);
    }
    return out;
}

}  // namespace quicktock
