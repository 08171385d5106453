#include "platform/OsProfileFunctions.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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

// Runs a test step in a child process and gives its exit code (or 128 + the signal ending it).
template <typename Step>
int InChild(Step step) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(step());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

constexpr uid_t kNobody = 65534;

// Saves that cannot or may not be made, made as an ordinary user (the superuser may write to
// every file): each returns false and leaves every file as it was. Saves used to replace the
// file by a renamed new one, so a read-only file or another user's file in the user's folder was
// replaced all the same.
TEST_F(ProfileSafetyTest, RefusedOrFailingSavesLeaveEveryFileAsItWas) {
    const bool root = ::geteuid() == 0;
    const std::string before = "[Data]\r\nposX= 1\r\n";
    std::filesystem::create_directories(PathOf("folder.ini"));
    std::filesystem::create_directories(PathOf("locked"));
    std::filesystem::create_symlink("missing/quicktock.ini", PathOf("dangling.ini"));
    for (const char* name :
         {"quicktock.ini", "readonly.ini", "others.ini", "locked/quicktock.ini"}) {
        WriteFile(name, before);
        if (root && std::string(name) != "others.ini") {
            ASSERT_EQ(::chown(PathOf(name).c_str(), kNobody, kNobody), 0);
        }
    }
    ASSERT_TRUE(!root || ::chown(PathOf("").c_str(), kNobody, kNobody) == 0);
    ASSERT_TRUE(!root || ::chown(PathOf("locked").c_str(), kNobody, kNobody) == 0);
    ::chmod(PathOf("readonly.ini").c_str(), 0444);
    ::chmod(PathOf("locked").c_str(), 0555);
    EXPECT_FALSE(profile.WriteValue("Data", "posX", " 2", PathOf("readonly.ini"))) << "any user";
    struct Case {
        const char* name;
        Step step = Step::None;
        rlim_t fileSizeLimit = RLIM_INFINITY;  // a full disk
    };
    const Case cases[] = {{"readonly.ini"},
                          {root ? "others.ini" : "readonly.ini"},
                          {"locked/quicktock.ini"},
                          {"folder.ini"},
                          {"dangling.ini"},
                          {"quicktock.ini", Step::None, 64},
                          {"quicktock.ini", Step::Rename}};
    const int failed = InChild([&] {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                     ::setuid(kNobody) != 0 || ::access(PathOf("").c_str(), W_OK) != 0)) {
            return 100;
        }
        ::signal(SIGXFSZ, SIG_IGN);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const rlimit limit{cases[i].fileSizeLimit, RLIM_INFINITY};
            OsProfileFunctions writer(cases[i].step);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
                writer.WriteValue("Data", "posX", std::string(5000, '7'), PathOf(cases[i].name))) {
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    });
    if (failed == 100) {
        GTEST_SKIP() << "the test folder cannot be handed to an ordinary user";
    }
    EXPECT_EQ(failed, 0) << "written: " << cases[std::max(failed, 1) - 1].name;
    for (const char* name :
         {"quicktock.ini", "readonly.ini", "others.ini", "locked/quicktock.ini"}) {
        EXPECT_EQ(ReadFile(name), before) << name;
    }
    EXPECT_EQ(FileNames().size(), 6u) << "nothing left behind";
}

// A save killed at a random moment leaves the old file or the new one, never a cut one, and the
// next save removes the temporary file it may have left behind.
TEST_F(ProfileSafetyTest, AKilledSaveLeavesTheOldOrTheNewFile) {
    std::string rest;
    for (int i = 0; i < 50; ++i) {
        rest += "key" + std::to_string(i) + "=" + std::string(60, 'x') + "\r\n";
    }
    WriteFile("quicktock.ini", "[Data]\r\nk=0\r\n" + rest);
    std::mt19937 random(1);
    int leftBehind = 0;
    for (int i = 0; i < 200; ++i) {
        const pid_t child = ::fork();
        for (int n = 1; child == 0; n = 1 - n) {
            profile.WriteValue("Data", "k", std::to_string(n), PathOf("quicktock.ini"));
        }
        ::usleep(100 + random() % 900);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string text = ReadFile("quicktock.ini");
        ASSERT_TRUE(text == "[Data]\r\nk=0\r\n" + rest || text == "[Data]\r\nk=1\r\n" + rest) << i;
        leftBehind += FileNames().size() > 1 ? 1 : 0;
        ASSERT_TRUE(profile.WriteValue("Data", "k", "0", PathOf("quicktock.ini")));
        ASSERT_EQ(FileNames(), std::set<std::string>{"quicktock.ini"}) << i;
    }
    RecordProperty("killedSavesThatLeftAFile", leftBehind);
}

// Two copies of the program may save at once: a save removes the temporary files that killed
// saves left behind, but never one that a live save holds locked.
TEST_F(ProfileSafetyTest, RemovesOnlyTheTemporaryFilesOfKilledSaves) {
    const std::set<std::string> kept = {"quicktock.ini", "quicktock.ini.tmp-2-0",
                                        "quicktock.ini.tmp-x", "other.ini.tmp-1-0"};
    for (const std::string& name : kept) {
        WriteFile(name, "[Data]\r\nk=1\r\n");
    }
    WriteFile("quicktock.ini.tmp-1-0", "[Da");
    const int live = ::open(PathOf("quicktock.ini.tmp-2-0").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    EXPECT_TRUE(profile.WriteValue("Data", "k", "2", PathOf("quicktock.ini")));
    ::close(live);
    EXPECT_EQ(FileNames(), kept);
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
