#include "platform/OsProfileFunctions.h"

#include <chrono>
#include <random>

#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

using ProfileReadTest = SettingsFolder;

TEST_F(ProfileReadTest, FindsValuesByTheRulesOfHandEditedFiles) {
    struct Case {
        const char* rule;
        const char* file;
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"names match whatever their case", "[dAtA]\r\nPOSX=1\r\n", "Data", "posX", "1"},
        {"blanks around names, = and value", " \t[ Data ]\t\r\n \tk \t=\t 1 2 \t\r\n", "Data", "k",
         "1 2"},
        {"first = splits", "[Data]\nk=a=b\n", "Data", "k", "a=b"},
        {"empty value", "[Data]\nk= \t\n", "Data", "k", ""},
        {"vertical tab, form feed, Ctrl+Z", "\f[Data]\v\n\vk\f=\v1\x1A\n", "Data", "k", "1"},
        {"comment lines", "[Data]\n;k=1\n  ; k=2\nk=3\n", "Data", "k", "3"},
        {"line without =", "[Data]\nk\n", "Data", "k", "ERROR"},
        {"key of another section", "k=0\n[Other]\nk=1\n[Data]\n", "Data", "k", "ERROR"},
        {"first section only", "[Data]\na=1\n[Other]\n[DATA]\nk=2\n", "Data", "k", "ERROR"},
        {"first key only", "[Data]\nk=1\nk=2\n", "Data", "k", "1"},
        {"lone CR line ends", "[Data]\rk=5\rz=6", "Data", "z", "6"},
        {"\"[\" without \"]\" starts no section", "[Data]\n[Other\nk=8\n", "Data", "k", "8"},
        {"a name runs to the last ]", "[a]b]\nk=9\n", "a]b", "k", "9"},
        {"UTF-8 mark", "\xEF\xBB\xBF[Data]\r\nk=1\r\n", "Data", "k", "1"},
        {"double quotes", "[Data]\nk=\"a b\"\n", "Data", "k", "a b"},
        {"single quotes keep inner blanks", "[Data]\nk= ' x ' \n", "Data", "k", " x "},
        {"unmatched quotes stay", "[Data]\nk=\"x'\n", "Data", "k", "\"x'"},
        {"one pair only", "[Data]\nk=\"\"x\"\"\n", "Data", "k", "\"x\""},
    };
    for (const Case& c : cases) {
        WriteFile("quicktock.ini", c.file);
        EXPECT_EQ(Get(c.section, c.key, PathOf("quicktock.ini")), c.value) << c.rule;
    }
}

// A cut at 254 bytes used to split a UTF-8 character, leaving half of it for the window to show.
TEST_F(ProfileReadTest, CutsLongValuesAtTheLastWholeCharacter) {
    const auto times = [](int count, const std::string& text) {
        std::string out;
        while (count-- > 0) {
            out += text;
        }
        return out;
    };
    struct Case {
        std::string value;
        std::size_t size;
        std::size_t length;
    };
    const Case cases[] = {
        {std::string(300, 'a'), 255, 254},
        {"a" + times(200, "\xC3\xA9"), 255, 253},      // the 128th two-byte character is left out
        {"a" + times(100, "\xE2\x82\xAC"), 255, 253},  // three-byte characters
        {times(100, "\xF0\x9F\x98\x80"), 255, 252},    // four-byte characters
        {std::string(300, '\xFF'), 255, 254},          // not UTF-8: cut where the bytes end
        {"\xC3\xA9", 2, 0},
    };
    for (const Case& c : cases) {
        WriteFile("quicktock.ini", "[Data]\r\nk=" + c.value + "\r\n");
        EXPECT_EQ(Get("Data", "k", PathOf("quicktock.ini"), c.size), c.value.substr(0, c.length));
    }
}

// Megabyte lines, binary bytes and a million lines are read in one pass, without a crash.
TEST_F(ProfileReadTest, ReadsHostileFilesInLinearTime) {
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random());
    }
    std::string manyLines;
    for (int i = 0; i < 1'000'000; ++i) {
        manyLines += "a=b\n";
    }
    const std::string megabytes(4 << 20, '"');
    const std::pair<std::string, std::string> cases[] = {
        {megabytes + "\n[Data]\nk=1\n", "1"},     {"[Data]\nk=" + megabytes, std::string(254, '"')},
        {"[" + megabytes + "\n[Data]\nk=2", "2"}, {binary + "\n[Data]\nk=3\n", "3"},
        {"[Data]\n" + manyLines + "k=4\n", "4"},  {binary, "ERROR"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [file, value] : cases) {
        WriteFile("quicktock.ini", file);
        EXPECT_EQ(Get("Data", "k", PathOf("quicktock.ini")), value);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace quicktock
