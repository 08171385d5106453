// One write of a random entry into a file of random bytes: it reads back (trimmed, unquoted, cut
// at 254 bytes) and leaves every other entry as it was, or is refused and leaves the bytes alone.
// The size of a changed text is known before it is made.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/OsProfileFunctions.h"
#include "settings/IniFile.h"
#include "settings/IniText.h"
#include "settings/TextEncoding.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quicktock;
    const std::string path = FuzzFolder() + "/quicktock.ini";
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(),
                      key = input.ConsumeRandomLengthString(),
                      value = input.ConsumeRandomLengthString(),
                      file = input.ConsumeRemainingBytesAsString();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file;

    // Names that might be sections or keys of the file; every pair is read before and after.
    std::vector<std::string> names = {"Data", "posX", section, key};
    std::istringstream lines(file.starts_with("\xFF\xFE") ? Utf16LeToUtf8(file.substr(2)) : file);
    for (std::string line; names.size() < 10 && std::getline(lines, line, '\n');) {
        names.push_back(line.substr(0, line.find('=')));
        names.push_back(line.substr(line.find('[') + 1, line.rfind(']') - line.find('[') - 1));
    }
    OsProfileFunctions profile;
    IniFile ini(profile);
    const auto readAll = [&] {
        std::vector<std::string> values;
        for (std::size_t i = 0; i < names.size() * names.size(); ++i) {
            values.push_back(
                ini.GetINIValue(names[i % names.size()], names[i / names.size()], path));
        }
        return values;
    };
    const std::vector<std::string> before = readAll();
    // A save knows the size of its new text before making it.
    const std::optional<std::string> changed = WithIniValue(file, section, key, value);
    FuzzCheck(changed && !WithIniValue(file, section, key, value, changed->size() - 1));
    if (!profile.WriteValue(section, key, value, path)) {
        std::ifstream written(path, std::ios::binary);
        FuzzCheck(std::string(std::istreambuf_iterator<char>(written), {}) == file);
        return 0;
    }
    std::string stored = value;
    stored.erase(0, stored.find_first_not_of(" \t\v\f"));
    stored.erase(stored.find_last_not_of(" \t\v\f\x1A") + 1);
    if (stored.size() >= 2 && stored.front() == stored.back() && stored.find_first_of("\"'") == 0) {
        stored = stored.substr(1, stored.size() - 2);
    }
    const std::string readBack = ini.GetINIValue(key, section, path);
    FuzzCheck(readBack == stored.substr(0, WholeCharacterLength(stored, 254)));
    // Only the entry written (under any spelling of its names) reads differently.
    const std::vector<std::string> after = readAll();
    for (std::size_t i = 0; i < after.size(); ++i) {
        FuzzCheck(after[i] == before[i] || after[i] == readBack);
    }
    return 0;
}
