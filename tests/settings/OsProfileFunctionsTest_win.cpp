#include <windows.h>

#include "platform/OsProfileFunctions.h"
#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

using ProfileCodePageTest = SettingsFolder;

// The path reaches the system in UTF-16, so a folder named outside the ANSI code page (Hangul and
// Thai are outside 1252 and 932) holds the file; a new file is written in the ANSI code page; a
// long value is cut at 254 of its bytes without splitting a double-byte character.
TEST_F(ProfileCodePageTest, WritesInTheCodePageAndCutsOnWholeCharacters) {
    struct Case {
        UINT codePage;
        std::string text;  // one character, in UTF-8 and in the code page
        std::string ansi;
        int kept;  // of "a" followed by 300 of the character
    };
    const Case cases[] = {{1252, "\u00E9", "\xE9", 253}, {932, "\u3042", "\x82\xA0", 126}};
    for (const Case& c : cases) {
        if (c.codePage != GetACP()) {
            continue;
        }
        EXPECT_TRUE(profile.WriteValue("Data", "k", c.text, PathOf("quicktock.ini")));
        EXPECT_EQ(ReadFile("quicktock.ini"), "[Data]\r\nk=" + c.ansi + "\r\n");
        const std::string folder = PathOf("") + "\uD55C\u0E01";
        std::filesystem::create_directory(std::u8string(folder.begin(), folder.end()));
        EXPECT_TRUE(profile.WriteValue("Data", "k", c.text, folder + "\\q.ini"));
        EXPECT_EQ(Get("Data", "k", folder + "\\q.ini"), c.text);
        std::string value = "[Data]\r\nk=a", expected = "a";
        for (int i = 0; i < 300; ++i) {
            value += c.ansi;
            expected += i < c.kept ? c.text : "";
        }
        WriteFile("quicktock.ini", value);
        EXPECT_EQ(Get("Data", "k", PathOf("quicktock.ini")), expected);
        return;
    }
    GTEST_SKIP() << "no case for code page " << GetACP();
}

}  // namespace
}  // namespace quicktock
