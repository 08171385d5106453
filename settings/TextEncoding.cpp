#include "settings/TextEncoding.h"

#include <cstring>

namespace quicktock {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The number of bytes of the UTF-8 character that starts with this byte; 0 when no character
// can start with it.
int SequenceLength(char c) {
    const auto lead = static_cast<unsigned char>(c);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The character at text[pos], moving pos past it; a malformed byte gives U+FFFD and moves on by
// one byte, so no input is ever skipped in bulk.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const int length = SequenceLength(text[pos]);
    if (length == 0 || text.size() - pos < static_cast<std::size_t>(length)) {
        ++pos;
        return kReplacement;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(text[pos + i])) {
            ++pos;
            return kReplacement;
        }
        code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(length);
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16Le(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace

std::size_t WholeCharacterLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    // text[limit] is the first byte left out. When it continues a character, walk back to that
    // character's first byte (at most three steps) and leave the whole character out if it
    // started before the cut.
    std::size_t lead = limit;
    while (lead > 0 && limit - lead < 3 && IsContinuation(text[lead])) {
        --lead;
    }
    if (lead == limit) {
        return limit;
    }
    const int length = SequenceLength(text[lead]);
    return length > 1 && lead + static_cast<std::size_t>(length) > limit ? lead : limit;
}

std::size_t CopyWholeCharacters(std::string_view text, char* buffer, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t count = WholeCharacterLength(text, size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (DecodeUtf8(text, pos) == kReplacement && text.substr(start, pos - start) != "\uFFFD") {
            return false;
        }
    }
    return true;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    const auto unitAt = [bytes](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t code = unitAt(i);
        if (code >= 0xD800 && code <= 0xDFFF) {
            const bool paired = code <= 0xDBFF && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 &&
                                unitAt(i + 2) <= 0xDFFF;
            if (paired) {
                code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
                i += 2;
            } else {
                code = kReplacement;
            }
        }
        AppendUtf8(text, code);
    }
    return text;
}

bool IsWholeUtf16Le(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 1; i < bytes.size(); i += 2) {
        const auto high = static_cast<unsigned char>(bytes[i]);
        if (high >= 0xDC && high <= 0xDF) {
            return false;  // a low surrogate without a high one before it
        }
        if (high >= 0xD8 && high <= 0xDB) {
            if (i + 2 >= bytes.size() ||
                (static_cast<unsigned char>(bytes[i + 2]) & 0xFC) != 0xDC) {
                return false;
            }
            i += 2;
        }
    }
    return true;
}

std::size_t Utf16LeSize(std::string_view text) {
    std::size_t size = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        size += DecodeUtf8(text, pos) >= 0x10000 ? 4 : 2;
    }
    return size;
}

std::string Utf8ToUtf16Le(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t code = DecodeUtf8(text, pos);
        if (code >= 0x10000) {
            AppendUtf16Le(bytes, 0xD800 + ((code - 0x10000) >> 10));
            AppendUtf16Le(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUtf16Le(bytes, code);
        }
    }
    return bytes;
}

}  // namespace quicktock
