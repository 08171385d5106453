#include "platform/OsProfileFunctions.h"

#include <sys/stat.h>

#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

using ProfileSafetyTest = SettingsFolder;
using Step = OsProfileFunctions::FailingStep;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// A save used to rewrite the file in place, so a full disk or a crash left it cut short.
TEST_F(ProfileSafetyTest, AFailedSaveLeavesTheOldFileWhole) {
    const std::string before = "[Data]\r\nposX= 1440\r\nposY= 900\r\n";
    const std::string path = PathOf("quicktock.ini");
    for (const Step step : {Step::Write, Step::Rename}) {
        OsProfileFunctions failing(step);
        WriteFile("quicktock.ini", before);
        EXPECT_FALSE(failing.WriteValue("Data", "posX", std::string(5000, '7'), path));
        EXPECT_EQ(ReadFile("quicktock.ini"), before);
        EXPECT_EQ(FileNames(), std::set<std::string>{"quicktock.ini"}) << "nothing left behind";
    }
}

TEST_F(ProfileSafetyTest, KeepsThePermissionsOfTheFile) {
    WriteFile("quicktock.ini", "[Data]\r\nk=1\r\n");
    ::chmod(PathOf("quicktock.ini").c_str(), 0604);
    EXPECT_TRUE(profile.WriteValue("Data", "k", "2", PathOf("quicktock.ini")));
    EXPECT_EQ(ModeOf(PathOf("quicktock.ini")), 0604u);

    const mode_t oldMask = ::umask(027);
    EXPECT_TRUE(profile.WriteValue("Data", "k", "2", PathOf("new.ini")));
    ::umask(oldMask);
    EXPECT_EQ(ModeOf(PathOf("new.ini")), 0640u);
}

// A settings path that is a symbolic link stays one; the file it points to gets the new text.
TEST_F(ProfileSafetyTest, WritesThroughSymbolicLinks) {
    std::filesystem::create_directory(PathOf("real"));
    WriteFile("real/quicktock.ini", "[Data]\r\nk=1\r\n");
    std::filesystem::create_symlink("real/quicktock.ini", PathOf("link.ini"));
    std::filesystem::create_symlink("link.ini", PathOf("chain.ini"));
    std::filesystem::create_symlink("real/new.ini", PathOf("dangling.ini"));
    std::filesystem::create_symlink("loop.ini", PathOf("loop.ini"));

    EXPECT_TRUE(profile.WriteValue("Data", "k", "2", PathOf("chain.ini")));
    EXPECT_TRUE(profile.WriteValue("Data", "k", "3", PathOf("dangling.ini")));
    EXPECT_FALSE(profile.WriteValue("Data", "k", "4", PathOf("loop.ini")));

    EXPECT_EQ(ReadFile("real/quicktock.ini"), "[Data]\r\nk=2\r\n");
    EXPECT_EQ(ReadFile("real/new.ini"), "[Data]\r\nk=3\r\n");
    for (const char* link : {"link.ini", "chain.ini", "dangling.ini"}) {
        EXPECT_TRUE(std::filesystem::is_symlink(PathOf(link))) << link;
    }
    EXPECT_EQ(Get("Data", "k", PathOf("loop.ini")), "ERROR");
}

// Neither a pipe, a device nor a huge (sparse) file is read: the first would block the window,
// the second never end, the third exhaust memory.
TEST_F(ProfileSafetyTest, ReadsOnlyRegularFilesOfSettingsSize) {
    ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0644), 0);
    WriteFile("huge.ini", "[Data]\nk=1\n");
    std::filesystem::resize_file(PathOf("huge.ini"), std::uintmax_t{1} << 40);
    for (const std::string& path : {PathOf("pipe"), std::string("/dev/zero"), PathOf("huge.ini")}) {
        EXPECT_EQ(Get("Data", "k", path), "ERROR") << path;
    }
    EXPECT_FALSE(profile.WriteValue("Data", "k", "2", PathOf("huge.ini")));
    EXPECT_EQ(std::filesystem::file_size(PathOf("huge.ini")), std::uintmax_t{1} << 40);
}

}  // namespace
}  // namespace quicktock
