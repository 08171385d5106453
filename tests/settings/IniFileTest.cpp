#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeProfileFunctions.h"

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

}  // namespace
}  // namespace quicktock
