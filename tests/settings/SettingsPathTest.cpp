#include "settings/SettingsPath.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quicktock {
namespace {

// A program file named like its settings file used to be written over by its first save.
TEST(SettingsPathTest, NamedAfterTheExecutableInItsFolder) {
    struct Case {
        const char* executable;
        char separator;
        const char* path;
    };
    const Case cases[] = {
        {"/opt/quicktock/quicktock.bin", '/', "/opt/quicktock/quicktock.ini"},
        {"/opt/q.d/fast-clock", '/', "/opt/q.d/fast-clock.ini"},
        {"/quicktock", '/', "/quicktock.ini"},
        {"C:\\Quicktock.exe", '\\', "C:\\Quicktock.ini"},
        {"/opt/q/quicktock.ini", '/', "/opt/q/quicktock.ini.ini"},
        {"C:\\QUICKTOCK.INI", '\\', "C:\\QUICKTOCK.INI.ini"},
    };
    for (const auto& [executable, separator, path] : cases) {
        EXPECT_EQ(SettingsPath(executable, separator), path);
    }
}

constexpr const char* kBeside = "/opt/q/quicktock.ini";

struct Case {
    bool file, writable, privileged;  // a file beside the program, its folder writable
    std::map<std::string, std::string> env;
    const char* path;
};

struct FakePlaces final : SettingsPlaces {
    explicit FakePlaces(const Case& c) : c(c) {}
    bool FileExists(const std::string& p) const override { return c.file && p == kBeside; }
    bool FolderWritable(const std::string& f) const override { return c.writable && f == "/opt/q"; }
    void CreatePrivateFolder(const std::string& folder) override { created.push_back(folder); }
    std::optional<std::string> Environment(const std::string& name) const override {
        return c.env.contains(name) ? std::optional(c.env.at(name)) : std::nullopt;
    }
    bool Privileged() const override { return c.privileged; }
    std::string RealUserHome() const override { return "/home/real"; }
    const Case& c;
    std::vector<std::string> created;
};

TEST(SettingsPathTest, PortableBesideTheProgramInstalledInTheUsersConfiguration) {
    const std::map<std::string, std::string> home{{"HOME", "/home/u"}},
        xdg{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/c"}},
        relative{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "c"}};
    const Case cases[] = {
        {true, false, false, home, kBeside},  // the user's file, even read-only
        {false, true, false, home, kBeside},  // a portable copy
        {false, false, false, home, "/home/u/.config/quicktock/quicktock.ini"},
        {false, false, false, xdg, "/c/quicktock/quicktock.ini"},
        {false, false, false, relative, "/home/u/.config/quicktock/quicktock.ini"},
        {false, false, false, {}, "/home/real/.config/quicktock/quicktock.ini"},
        {false, false, true, xdg, "/home/real/.config/quicktock/quicktock.ini"},
        {true, false, true, xdg, kBeside},
    };
    for (const Case& c : cases) {
        FakePlaces places(c);
        EXPECT_EQ(DecideSettingsPath("/opt/q/quicktock", places), c.path);
        const std::string folder(c.path, std::string_view(c.path).rfind('/'));
        EXPECT_EQ(places.created, std::string_view(c.path) == kBeside ? std::vector<std::string>{}
                                                                      : std::vector{folder});
    }
}

}  // namespace
}  // namespace quicktock
