#include "platform/OsProfileFunctions.h"

#include <array>
#include <map>
#include <optional>

#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

using ProfileReadTest = SettingsFolder;
using ProfileWriteTest = SettingsFolder;

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

TEST_F(ProfileWriteTest, ChangesOnlyTheEntryAndWritesCrlf) {
    struct Case {
        const char* rule;
        std::optional<std::string> before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
        const char* systemAfter = nullptr;  // where the system's own functions differ
    };
    const Case cases[] = {
        {"replaces in place, value as given", "; top\n[Data]\nposX=1\nposY=2\n[Other]\nposX=9\n",
         "Data", "posX", " 1440",
         "; top\r\n[Data]\r\nposX= 1440\r\nposY=2\r\n[Other]\r\nposX=9\r\n",
         "; top\r\n[Data]\r\nposX=1440\r\nposY=2\r\n[Other]\r\nposX=9\r\n"},
        {"keeps the file's spelling of the key", "[data]\r\n  POSX = 1 \r\n", "Data", "posX", "2",
         "[data]\r\nPOSX=2\r\n"},
        {"new key after the last key line", "[Data]\r\na=1\r\n\r\n; of Other\r\n[Other]\r\nb=2\r\n",
         "Data", "c", "3", "[Data]\r\na=1\r\nc=3\r\n\r\n; of Other\r\n[Other]\r\nb=2\r\n",
         "[Data]\r\na=1\r\n; of Other\r\nc=3\r\n[Other]\r\nb=2\r\n"},
        {"new key right after a keyless section line", "[Data]\r\n; note\r\nk\r\n[Other]\r\n",
         "Data", "k", "3", "[Data]\r\nk=3\r\n; note\r\nk\r\n[Other]\r\n",
         "[Data]\r\n; note\r\nk=3\r\n[Other]\r\n"},
        {"new section at the end, after a last line without end", "k=0\r[Other]\nb=2", "Data", "c",
         "'3' ", "k=0\r\n[Other]\r\nb=2\r\n[Data]\r\nc='3' \r\n"},
        {"first of two sections", "[Data]\r\n[Other]\r\n[DATA]\r\nc=1\r\n", "Data", "c", "2",
         "[Data]\r\nc=2\r\n[Other]\r\n[DATA]\r\nc=1\r\n"},
        {"creates the file; the caller's names lose their blanks", std::nullopt, " Data\t", " k ",
         "", "[Data]\r\nk=\r\n", "[Data\t]\r\nk =\r\n"},
        {"keeps a UTF-8 mark", "\xEF\xBB\xBF[Data]\nk=1\n", "Data", "k", "2",
         "\xEF\xBB\xBF[Data]\r\nk=2\r\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(PathOf("quicktock.ini"));
        if (c.before) {
            WriteFile("quicktock.ini", *c.before);
        }
        EXPECT_TRUE(profile.WriteValue(c.section, c.key, c.value, PathOf("quicktock.ini")))
            << c.rule;
        EXPECT_EQ(ReadFile("quicktock.ini"),
                  kSystemProfile && c.systemAfter ? c.systemAfter : c.after)
            << c.rule;
    }
    EXPECT_EQ(FileNames(), std::set<std::string>{"quicktock.ini"});
}

TEST_F(ProfileWriteTest, KeepsUtf16LeFilesInUtf16Le) {
    const auto utf16Le = [](std::u16string_view text) {
        std::string bytes;
        for (const char16_t unit : text) {
            bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        }
        return bytes;
    };
    WriteFile("quicktock.ini", utf16Le(u"\uFEFF[Data]\r\nk=\u00E9\U0001F600\r\n"));
    // Through the ANSI code page a character outside it reads as "?".
    EXPECT_EQ(Get("Data", "k", PathOf("quicktock.ini")),
              kSystemProfile ? "\u00E9??" : "\u00E9\U0001F600");
    EXPECT_TRUE(profile.WriteValue("Data", "k2", "\u20AC", PathOf("quicktock.ini")));
    // Bytes that are not UTF-8 would be stored changed, and a changed key never found again.
    for (const auto& [key, value] : {std::pair{"k\xFF", "1"}, std::pair{"k", "\xC3"}}) {
        EXPECT_FALSE(profile.WriteValue("Data", key, value, PathOf("quicktock.ini"))) << key;
    }
    EXPECT_EQ(ReadFile("quicktock.ini"),
              utf16Le(u"\uFEFF[Data]\r\nk=\u00E9\U0001F600\r\nk2=\u20AC\r\n"));
}

// Entries that would add lines of their own, or read back as something else, used to be written;
// so were files that a save cannot write back as they were: UTF-16BE (split at CR and LF bytes)
// and UTF-16LE with a lone surrogate on another line or an odd last byte. (The system's own
// functions keep such files by rules of their own.)
TEST_F(ProfileWriteTest, RefusesEntriesThatCannotBeReadBackAndFilesItCannotKeep) {
    using namespace std::string_literals;
    const std::map<std::string, std::string> files = {
        {"quicktock.ini", "[Data]\r\nk=0\r\n"},
        {"be.ini", "\xFE\xFF\0[\0D\0a\0t\0a\0]\0\r\0\n\0k\0=\0\r\0\n"s},
        {"lone.ini", "\xFF\xFE[\0D\0a\0t\0a\0]\0\r\0\n\0\x00\xD8\r\0\n\0"s},
        {"odd.ini", "\xFF\xFE[\0D\0a\0t\0a\0]\0\r\0\n\0k"s}};
    for (const auto& [name, bytes] : files) {
        WriteFile(name, bytes);
        if (name != "quicktock.ini" && !kSystemProfile) {
            EXPECT_FALSE(profile.WriteValue("Data", "k", "1", PathOf(name))) << name;
        }
    }
    const std::string path = PathOf("quicktock.ini");
    const std::array<std::string, 4> cases[] = {
        {"Data", "k", "1\r\n[Other]", path}, {"Da\nta", "k", "1", path},
        {"Data", "k", {"1\0", 2}, path},     {"Data", "a=b", "1", path},
        {"Data", " ;k", "1", path},          {"Data", "k", "1", ""},
    };
    for (const auto& [section, key, value, fileName] : cases) {
        EXPECT_FALSE(profile.WriteValue(section, key, value, fileName)) << key;
    }
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(ReadFile(name), bytes) << name;
    }
    EXPECT_EQ(FileNames().size(), files.size());
}

}  // namespace
}  // namespace quicktock
