#include "settings/IniFile.h"

#include "tests/fakes/FakeProfileFunctions.h"
#include "tests/settings/SettingsFolder.h"

namespace quicktock {
namespace {

TEST(IniFileTest, PassesItsArgumentsInTheProfileFunctionsOrder) {
    FakeProfileFunctions profile;
    IniFile ini(profile);
    profile.Store("a.ini", "Data", "posX", std::string(300, '7'));
    EXPECT_EQ(ini.GetINIValue("posX", "Data", "a.ini"), std::string(254, '7'));
    EXPECT_EQ(ini.GetINIValue("Data", "posX", "a.ini"), "ERROR");

    EXPECT_TRUE(ini.SetINIValue("1", "chk10", "Data", "a.ini"));
    profile.FailWrites(true);
    EXPECT_FALSE(ini.SetINIValue("2", "chk10", "Data", "a.ini"));
    const std::vector<FakeProfileFunctions::Write> writes = {{"Data", "chk10", "1", "a.ini"},
                                                             {"Data", "chk10", "2", "a.ini"}};
    EXPECT_EQ(profile.Writes(), writes);
}

using IniFileOnDiskTest = SettingsFolder;

TEST_F(IniFileOnDiskTest, ReadsAndWritesSettingsFiles) {
    IniFile ini(profile);
    const std::string path = PathOf("quicktock.ini");
    std::filesystem::create_directory(PathOf("folder"));
    for (const std::string& missing : {path, PathOf("folder"), PathOf("missing/quicktock.ini")}) {
        EXPECT_EQ(ini.GetINIValue("posX", "Data", missing), "ERROR") << missing;
    }
    EXPECT_EQ(FileNames(), std::set<std::string>{"folder"});

    EXPECT_TRUE(ini.SetINIValue(" 1440", "posX", "Data", path));
    EXPECT_TRUE(ini.SetINIValue("", "backH", "Data", path));
    EXPECT_TRUE(ini.SetINIValue(" 900", "posX", "Data", path));
    EXPECT_EQ(ReadFile("quicktock.ini"), kSystemProfile ? "[Data]\r\nposX=900\r\nbackH=\r\n"
                                                        : "[Data]\r\nposX= 900\r\nbackH=\r\n");
    EXPECT_EQ(ini.GetINIValue("posX", "Data", path), "900");
    EXPECT_EQ(ini.GetINIValue("backH", "Data", path), "");

    EXPECT_FALSE(ini.SetINIValue("1", "chk10", "Data", PathOf("missing/quicktock.ini")));
}

}  // namespace
}  // namespace quicktock
