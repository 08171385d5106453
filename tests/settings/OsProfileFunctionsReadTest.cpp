#include "platform/OsProfileFunctions.h"

#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

using ProfileReadTest = SettingsFolder;

std::string Repeated(const std::string& text, std::size_t count) {
    std::string out;
    while (count-- > 0) {
        out += text;
    }
    return out;
}

// Long values are cut at 254 bytes: a cut used to split a UTF-8 character, leaving half of it for
// the window to show. Megabyte lines and a million lines are read in one pass.
TEST_F(ProfileReadTest, FindsValuesByTheRulesOfHandEditedFiles) {
    struct Case {
        const char* rule;
        std::string file;
        const char* section;
        const char* key;
        std::string value;
        // The system cuts in bytes of the ANSI code page: ProfileCodePageTest.
        bool utf8Cut = false;
    };
    const std::string megabytes(4 << 20, '"');
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
        {"cut", "[Data]\nk=" + std::string(300, 'a'), "Data", "k", std::string(254, 'a')},
        {"cut before a character", "[Data]\nk=" + Repeated("\xE2\x82\xAC", 100), "Data", "k",
         Repeated("\xE2\x82\xAC", 84), true},
        {"cut between characters", "[Data]\nk=a" + Repeated("\xF0\x9F\x98\x80", 100), "Data", "k",
         "a" + Repeated("\xF0\x9F\x98\x80", 63), true},
        {"not UTF-8: cut at 254", "[Data]\nk=" + std::string(300, '\xFF'), "Data", "k",
         std::string(254, '\xFF'), true},
        {"megabyte lines", megabytes + "\n[" + megabytes + "\n[Data]\nk=2", "Data", "k", "2"},
        {"a million lines", "[Data]\n" + Repeated("a=b\n", 1'000'000) + "k=4\n", "Data", "k", "4"},
    };
    for (const Case& c : cases) {
        if (kSystemProfile && c.utf8Cut) {
            continue;
        }
        WriteFile("quicktock.ini", c.file);
        EXPECT_EQ(Get(c.section, c.key, PathOf("quicktock.ini")), c.value) << c.rule;
    }
}

}  // namespace
}  // namespace quicktock
