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
constexpr const char* kOwn = "/home/u/.config/quicktock/quicktock.ini";

struct Case {
    // A file beside the program (b), its folder writable (w), the program privileged (p) or in
    // the folder it was built to be installed in (i), the user's own file in place (o).
    std::string_view machine;
    std::map<std::string, std::string> env;
    const char* save;
    const char* load = nullptr;  // where it differs
};

struct FakePlaces final : SettingsPlaces {
    explicit FakePlaces(const Case& c) : c(c) {}
    bool Has(char what) const { return c.machine.find(what) != std::string_view::npos; }
    bool FileExists(const std::string& p) const override {
        return (Has('b') && p == kBeside) || (Has('o') && p == kOwn);
    }
    bool IsInstalledFolder(const std::string& f) const override {
        return Has('i') && f == "/opt/q";
    }
    bool FolderWritable(const std::string& f) const override { return Has('w') && f == "/opt/q"; }
    void CreatePrivateFolder(const std::string& folder) override { created.push_back(folder); }
    std::optional<std::string> Environment(const std::string& name) const override {
        return c.env.contains(name) ? std::optional(c.env.at(name)) : std::nullopt;
    }
    bool Privileged() const override { return Has('p'); }
    std::string RealUserHome() const override { return "/home/real"; }
    const Case& c;
    std::vector<std::string> created;
};

// An installed copy used to keep the settings of whoever ran it first as the superuser beside
// itself, and every other user then read them and could save nothing.
TEST(SettingsPathTest, PortableBesideTheProgramInstalledInTheUsersConfiguration) {
    const std::map<std::string, std::string> home{{"HOME", "/home/u"}},
        xdg{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/c"}},
        relative{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "c"}};
    const Case cases[] = {
        {"b", home, kBeside},  // the user's file, even read-only
        {"w", home, kBeside},  // a portable copy
        {"", home, kOwn},
        {"", xdg, "/c/quicktock/quicktock.ini"},
        {"", relative, kOwn},
        {"", {}, "/home/real/.config/quicktock/quicktock.ini"},
        {"p", xdg, "/home/real/.config/quicktock/quicktock.ini"},
        {"bp", xdg, kBeside},
        {"iw", home, kOwn},            // installed, run by the superuser
        {"ibw", home, kOwn, kBeside},  // an earlier version's file gives the starting values
        {"ibo", home, kOwn},           // until the user has one
    };
    for (const Case& c : cases) {
        FakePlaces places(c);
        const SettingsFiles files = DecideSettingsFiles("/opt/q/quicktock", '/', &places);
        EXPECT_EQ(files.save, c.save) << c.machine;
        EXPECT_EQ(files.load, c.load ? c.load : c.save) << c.machine;
        const std::string folder(c.save, std::string_view(c.save).rfind('/'));
        EXPECT_EQ(places.created, std::string_view(c.save) == kBeside ? std::vector<std::string>{}
                                                                      : std::vector{folder});
    }
}

}  // namespace
}  // namespace quicktock
