#include "window/Form1.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "tests/fakes/FakeProfileFunctions.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/window/FakeFormHost.h"

namespace quicktock {
namespace {

constexpr const char* kExecutable = "/opt/quicktock/quicktock";
// Decided at start-up, not beside the executable: the model must use the path it is given.
constexpr const char* kSettingsPath = "/home/user/.config/quicktock/quicktock.ini";
const std::string kJapaneseFace = "\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";
const std::string kDateTimeFace = "\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

using Saved = std::map<std::string, std::string>;

// A window model over fakes, with a settings file holding the given keys.
struct Harness {
    explicit Harness(const std::map<std::string, std::string>& saved = {},
                     std::string decimal = ".")
        : form(host, Form1::Services{
                         clock, iniFile, kExecutable, kSettingsPath, {}, std::move(decimal)}) {
        for (const auto& [key, value] : saved) {
            profile.Store(kSettingsPath, "Data", key, value);
        }
    }
    const Control& c(ControlId id) const { return form.control(id); }

    FakeFormHost host;
    FakeSystemClock clock{{2026, 12, 6, 10, 0, 0}};
    FakeProfileFunctions profile;
    IniFile iniFile{profile};
    Form1 form;
};

const ControlId kFacedControls[] = {
    ControlId::lblPresent,     ControlId::lblEstimate,    ControlId::cmdPlayback,
    ControlId::cmdAccel,       ControlId::cmdNormal,      ControlId::cmdGotoEstimate,
    ControlId::cmdExit,        ControlId::chk10sec,       ControlId::chkLanguage,
    ControlId::chkLessThanNow, ControlId::chkUntilMinute, ControlId::lblUntilMinute,
};

void ExpectLanguage(const Harness& h, bool english) {
    EXPECT_EQ(h.c(ControlId::lblPresent).caption,
              english ? "System :" : "\u30B7\u30B9\u30C6\u30E0\uFF1A");
    EXPECT_EQ(h.c(ControlId::lblEstimate).caption, english ? "Now :" : "\u305F\u3076\u3093\uFF1A");
    EXPECT_EQ(h.c(ControlId::chk10sec).caption, english ? "10sec" : "10\u79D2");
    for (const ControlId id : kFacedControls) {
        EXPECT_EQ(h.c(id).font.face, english ? "MS UI Gothic" : kJapaneseFace) << h.c(id).name;
    }
    // Captions that stay English in both languages, and controls the language leaves alone.
    EXPECT_EQ(h.c(ControlId::chkLanguage).caption, "Japanese");
    EXPECT_EQ(h.c(ControlId::chkUntilMinute).caption, "until");
    EXPECT_EQ(h.c(ControlId::lblUntilMinute).caption, "minutes");
    EXPECT_EQ(h.c(ControlId::cmdExit).caption, "Exit");
    EXPECT_EQ(h.c(ControlId::lblPresentTime).font.face, kDateTimeFace);
    EXPECT_EQ(h.c(ControlId::lblEstimateTime).font.face, kDateTimeFace);
    EXPECT_EQ(h.c(ControlId::txtPlaybackHour).font, DefaultFont());
    EXPECT_EQ(h.c(ControlId::lblPresentTime).font.points, 9);
}

TEST(Form1Test, StartUpResetsAppliesTheLanguageThenRestoresTheSavedLanguage) {
    struct Case {
        const char* saved;  // nullptr: no key
        bool english;
        std::int16_t value;
    };
    const Case cases[] = {{nullptr, false, 1}, {"0", true, 0}, {" 1", false, 1}, {" 2", false, 2}};
    for (const auto& [saved, english, value] : cases) {
        std::map<std::string, std::string> keys;
        if (saved != nullptr) {
            keys["chkLang"] = saved;
        }
        Harness h(keys);
        h.form.Load();
        SCOPED_TRACE(saved ? saved : "missing");
        ExpectLanguage(h, english);
        EXPECT_EQ(h.c(ControlId::chkLanguage).value, value);
        EXPECT_EQ(h.c(ControlId::lblPresentTime).caption, "");
        EXPECT_FALSE(h.c(ControlId::cmdNormal).enabled);
        EXPECT_TRUE(h.c(ControlId::cmdAccel).enabled);
    }
}

// The minute limit is restored before its number: its Click loads the laid-out 240, and only
// the next Accelerate takes the restored 100.
TEST(Form1Test, RestoringTheMinuteLimitRunsItsClickWithTheLaidOutNumber) {
    Harness h(Saved{{"chkUntilMin", " 1"}, {"UntilMin", "100"}});
    h.form.Load();
    EXPECT_EQ(h.c(ControlId::txtUntilMinutes).caption, "100");
    EXPECT_EQ(h.form.engineState().MinutesLeft, 240);
    h.form.UserClick(ControlId::cmdAccel);
    EXPECT_EQ(h.form.engineState().MinutesLeft, 100);
}

TEST(Form1Test, LanguageBoxSwitchesEveryCaptionAndFaceBothWays) {
    Harness h;
    h.form.Load();
    h.form.UserClick(ControlId::chkLanguage);
    ExpectLanguage(h, true);
    h.form.UserClick(ControlId::chkLanguage);
    ExpectLanguage(h, false);
}

TEST(Form1Test, LoadsEachKeyAsTheWindowExpectsIt) {
    struct Case {
        const char* key;
        const char* stored;
        std::function<std::string(const Harness&)> read;
        const char* expected;
    };
    auto text = [](ControlId id) { return [id](const Harness& h) { return h.c(id).caption; }; };
    auto check = [](ControlId id) {
        return [id](const Harness& h) { return std::to_string(h.c(id).value); };
    };
    auto frame = [](float SettingsForm::Frame::*field) {
        return [field](const Harness& h) {
            return std::to_string(static_cast<int>(h.host.frame.*field));
        };
    };
    const Case cases[] = {
        {"posX", " 1440", frame(&SettingsForm::Frame::left), "1440"},
        {"posX", "", frame(&SettingsForm::Frame::left), "0"},
        {"posY", "-60", frame(&SettingsForm::Frame::top), "-60"},
        {"winW", " 6480", frame(&SettingsForm::Frame::width), "6480"},
        {"winH", "2205.4", frame(&SettingsForm::Frame::height), "2205"},
        {"backH", "abc", text(ControlId::txtPlaybackHour), "abc"},
        {"backH", "", text(ControlId::txtPlaybackHour), ""},
        {"backH", "ERROR", text(ControlId::txtPlaybackHour), "12"},
        {"UntilMin", "0240", text(ControlId::txtUntilMinutes), "240"},
        {"UntilMin", "1e3", text(ControlId::txtUntilMinutes), "1000"},
        {"UntilMin", "2 40", text(ControlId::txtUntilMinutes), "240"},
        {"UntilMin", "abc", text(ControlId::txtUntilMinutes), "0"},
        {"UntilMin", "12.5", text(ControlId::txtUntilMinutes), "12.5"},
        {"chk10", "1.5", check(ControlId::chk10sec), "2"},
        {"chk10", "2.5", check(ControlId::chk10sec), "2"},
        {"chk10", "0.5", check(ControlId::chk10sec), "0"},
        {"chk10", " 1", check(ControlId::chk10sec), "1"},
        {"chk10", "", check(ControlId::chk10sec), "0"},
        {"chkLess", " 1", check(ControlId::chkLessThanNow), "1"},
        // Mended: unusable check-box values leave the box as laid out instead of ending the
        // program before its window shows.
        {"chk10", "99999", check(ControlId::chk10sec), "0"},
        {"chk10", "3", check(ControlId::chk10sec), "0"},
        {"chkLang", "-1", check(ControlId::chkLanguage), "1"},
        {"chkUntilMin", "1e400", check(ControlId::chkUntilMinute), "0"},
        {"posX", "1e400", frame(&SettingsForm::Frame::left), "1440"},
        {"winW", "1e39", frame(&SettingsForm::Frame::width), "3510"},
    };
    for (const auto& [key, stored, read, expected] : cases) {
        Harness h(Saved{{key, stored}, {"backH", key == std::string("backH") ? stored : "7"}});
        h.form.Load();
        EXPECT_EQ(read(h), expected) << key << "=" << stored;
        EXPECT_EQ(h.host.messages.size(), 0u);
        if (key != std::string("backH")) {
            EXPECT_EQ(h.c(ControlId::txtPlaybackHour).caption, "7") << "the other keys still load";
        }
    }
}

TEST(Form1Test, RestoredNumberUsesTheUsersDecimalSeparator) {
    Harness h(Saved{{"UntilMin", "12.5"}}, ",");
    h.form.Load();
    EXPECT_EQ(h.c(ControlId::txtUntilMinutes).caption, "12,5");
}

TEST(Form1Test, ExitWritesTheTenKeysInOrderAndEnds) {
    Harness h(Saved{{"chk10", "99999"}, {"chkLess", " 1"}});
    h.form.Load();
    h.host.frame = {1440, 1080, 6480, 2205};
    h.form.UserEditText(ControlId::txtPlaybackHour, "ERROR");
    h.form.UserClick(ControlId::chkUntilMinute);
    h.form.UserClick(ControlId::cmdExit);
    EXPECT_TRUE(h.host.ended);
    const std::vector<std::string> order = {"posX",     "posY",   "winW",    "winH",
                                            "backH",    "chk10",  "chkLess", "chkUntilMin",
                                            "UntilMin", "chkLang"};
    std::vector<std::string> written;
    for (const auto& write : h.profile.Writes()) {
        written.push_back(write.key);
        EXPECT_EQ(write.fileName, kSettingsPath);
        EXPECT_EQ(write.section, "Data");
    }
    EXPECT_EQ(written, order);
    const std::map<std::string, std::string> expected = {
        {"posX", " 1440"},   {"posY", " 1080"}, {"winW", " 6480"}, {"winH", " 2205"},
        {"backH", "ERROR"},  {"chk10", " 0"},   {"chkLess", " 1"}, {"chkUntilMin", " 1"},
        {"UntilMin", "240"}, {"chkLang", " 1"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(h.profile.Value(kSettingsPath, "Data", key), value) << key;
    }

    // A box saved as "ERROR" reads as missing next time and shows its laid-out text.
    Harness next;
    next.profile = h.profile;
    next.form.Load();
    EXPECT_EQ(next.c(ControlId::txtPlaybackHour).caption, "12");
}

TEST(Form1Test, ExitEndsTheProgramEvenWhenTheSettingsCannotBeWritten) {
    Harness h;
    h.profile.FailWrites(true);
    h.form.Load();
    h.form.UserClick(ControlId::cmdExit);
    EXPECT_TRUE(h.host.ended);
}

TEST(Form1Test, ClicksFollowTheCheckBoxRules) {
    Harness h(Saved{{"chk10", " 2"}});
    h.form.Load();
    h.form.UserClick(ControlId::chk10sec);  // a greyed box becomes checked
    EXPECT_EQ(h.c(ControlId::chk10sec).value, 1);
    h.form.UserClick(ControlId::chk10sec);
    EXPECT_EQ(h.c(ControlId::chk10sec).value, 0);
    h.form.UserClick(ControlId::chkLessThanNow);  // hidden: never clicked
    EXPECT_EQ(h.c(ControlId::chkLessThanNow).value, 0);
    h.form.UserClick(ControlId::cmdNormal);  // disabled at start
    EXPECT_EQ(h.form.engineState().RunMode, 0);
    h.host.changed.clear();
    h.form.SetCheckValue(ControlId::chkLanguage, 1);  // the same value raises nothing
    EXPECT_TRUE(h.host.changed.empty());
}

TEST(Form1Test, TimerTickDrivesTheEngineAndMessagesReachTheHost) {
    Harness h;
    h.form.Load();
    h.clock.Advance(1000);
    h.form.TimerTick();
    EXPECT_EQ(h.c(ControlId::lblPresentTime).caption, "2026/12/06 10:00:01");
    h.form.UserEditText(ControlId::txtPlaybackHour, "99999");
    h.form.UserClick(ControlId::cmdPlayback);
    ASSERT_EQ(h.host.messages.size(), 1u);
    EXPECT_NE(h.host.messages[0].find("hours box"), std::string::npos);
}

}  // namespace
}  // namespace quicktock
