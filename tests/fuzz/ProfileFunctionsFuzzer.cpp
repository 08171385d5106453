// The machine's profile functions over a real file: random file bytes, then one write of a
// random entry. A write that succeeds reads back (trimmed, unquoted, cut at 254 bytes) and leaves
// every other entry as it was; a refused one leaves the file's bytes alone.
#include <strings.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/OsProfileFunctions.h"
#include "platform/TextEncoding.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string Trim(std::string text) {
    text.erase(0, text.find_first_not_of(" \t\v\f"));
    text.erase(text.find_last_not_of(" \t\v\f\x1A") + 1);
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    const std::string x = Trim(a), y = Trim(b);
    return x.size() == y.size() && ::strncasecmp(x.c_str(), y.c_str(), x.size()) == 0;
}

std::string FileBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

}  // namespace

// Input: file bytes, then section, key and value, each part ended by a NUL byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzFolder() + "/quicktock.ini";
    std::vector<std::string> parts(4);
    for (std::size_t i = 0, part = 0; i < size; ++i) {
        if (data[i] == 0 && part < 3) {
            ++part;
        } else {
            parts[part] += static_cast<char>(data[i]);
        }
    }
    const auto& [file, section, key, value] = std::tie(parts[0], parts[1], parts[2], parts[3]);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file;

    // Every name that might be a section or key of the file, read before and after the write.
    std::vector<std::string> names = {"Data", "posX", section, key};
    std::istringstream lines(file.starts_with("\xFF\xFE") ? quicktock::Utf16LeToUtf8(file.substr(2))
                                                          : file);
    for (std::string line; names.size() < 10 && std::getline(lines, line, '\n');) {
        names.push_back(line.substr(0, line.find('=')));
        names.push_back(line.substr(line.find('[') + 1, line.rfind(']') - line.find('[') - 1));
    }
    quicktock::OsProfileFunctions profile;
    const auto read = [&](const std::string& s, const std::string& k) {
        char buffer[255];
        return std::string(buffer, profile.ReadValue(s, k, "\x01", buffer, sizeof buffer, path));
    };
    std::vector<std::string> before;
    for (const std::string& s : names) {
        for (const std::string& k : names) {
            before.push_back(read(s, k));
        }
    }
    if (!profile.WriteValue(section, key, value, path)) {
        FUZZ_CHECK(FileBytes(path) == file);
        return 0;
    }
    std::string stored = Trim(value);
    if (stored.size() >= 2 && stored.front() == stored.back() &&
        (stored.front() == '"' || stored.front() == '\'')) {
        stored = stored.substr(1, stored.size() - 2);
    }
    FUZZ_CHECK(read(section, key) ==
               stored.substr(0, quicktock::WholeCharacterLength(stored, 254)));
    std::size_t i = 0;
    for (const std::string& s : names) {
        for (const std::string& k : names) {
            FUZZ_CHECK(read(s, k) == before[i++] || (SameName(s, section) && SameName(k, key)));
        }
    }
    return 0;
}
