#include "window/Form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "tests/fakes/FakeFormHost.h"
#include "tests/fakes/FakeProfileFunctions.h"
#include "tests/fakes/FakeSystemClock.h"

namespace quicktock {
namespace {

// Quoted for the shell in the command a refusal names.
constexpr const char* kExecutable = "/opt/o'neil/quick tock";
// Decided at start-up, not beside the executable: the model must read the file it is given to
// start from (one an earlier version left beside an installed copy) and write the user's own.
constexpr const char* kStartingPath = "/opt/quicktock/quicktock.ini";
constexpr const char* kSettingsPath = "/home/user/.config/quicktock/quicktock.ini";
const SettingsFiles kFiles{kStartingPath, kSettingsPath};

using Saved = std::map<std::string, std::string>;

// A window model over fakes, with a settings file holding the given keys.
struct Harness {
    explicit Harness(const Saved& saved = {}, std::string decimal = ".")
        : form(host, Form1::Services{clock, iniFile, kExecutable, kFiles, {}, std::move(decimal)}) {
        for (const auto& [key, value] : saved) {
            profile.Store(kStartingPath, "Data", key, value);
        }
    }
    const Control& At(ControlId id) const { return form.ControlAt(id); }

    FakeFormHost host;
    FakeSystemClock clock{{2026, 12, 6, 10, 0, 0}};
    FakeProfileFunctions profile;
    IniFile iniFile{profile};
    Form1 form;
};

void ExpectLanguage(const Harness& h, bool english) {
    EXPECT_EQ(h.At(ControlId::lblPresent).caption,
              english ? "System :" : "\u30B7\u30B9\u30C6\u30E0\uFF1A");
    EXPECT_EQ(h.At(ControlId::cmdAccel).tooltip,
              english ? "Run the clock fast" : "\u6642\u8A08\u3092\u65E9\u9001\u308A\u3059\u308B");
    // Twelve controls carry the language's face; in English so do the four that keep the
    // window's own font (the text boxes, the line and the timer), not the two date-time labels.
    const std::string face = english ? kUiGothicFace : kPGothicFace;
    EXPECT_EQ(std::count_if(h.form.Controls().begin(), h.form.Controls().end(),
                            [&](const Control& c) { return c.font.face == face; }),
              english ? 16 : 12);
}

// The language box switches every caption and face both ways after any start-up language.
TEST(Form1Test, StartUpResetsAppliesTheLanguageThenRestoresTheSavedLanguage) {
    const std::tuple<const char*, bool, std::int16_t> cases[] = {
        {nullptr, false, 1}, {"0", true, 0}, {" 1", false, 1}, {" 2", false, 2}};
    for (const auto& [saved, english, value] : cases) {
        Harness h(saved ? Saved{{"chkLang", saved}} : Saved{});
        h.form.Load();
        SCOPED_TRACE(saved ? saved : "missing");
        ExpectLanguage(h, english);
        EXPECT_EQ(h.At(ControlId::chkLanguage).value, value);
        h.form.UserClick(ControlId::chkLanguage);
        ExpectLanguage(h, value == 1);  // a greyed box becomes checked
    }
}

// The minute limit is restored before its number: its Click loads the laid-out 240, and only
// the next Accelerate takes the restored 100.
TEST(Form1Test, RestoringTheMinuteLimitRunsItsClickWithTheLaidOutNumber) {
    Harness h(Saved{{"chkUntilMin", " 1"}, {"UntilMin", "100"}});
    h.form.Load();
    EXPECT_EQ(h.At(ControlId::txtUntilMinutes).caption, "100");
    EXPECT_EQ(h.form.State().MinutesLeft, 240);
    h.form.UserClick(ControlId::cmdAccel);
    EXPECT_EQ(h.form.State().MinutesLeft, 100);
}

// What the settings restored: the frame keys ("-" for one not restored), the two boxes' texts
// and the four check boxes' values.
std::string Restored(const Harness& h) {
    const SavedFrame& f = h.form.RestoredFrame();
    std::string text;
    for (const auto& key : {f.left, f.top, f.width, f.height}) {
        text += (key ? std::to_string(static_cast<int>(*key)) : "-") + ",";
    }
    text += " " + h.At(ControlId::txtPlaybackHour).caption + " " +
            h.At(ControlId::txtUntilMinutes).caption + " ";
    for (const ControlId id : {ControlId::chk10sec, ControlId::chkLessThanNow,
                               ControlId::chkUntilMinute, ControlId::chkLanguage}) {
        text += std::to_string(h.At(id).value);
    }
    return text;
}

// Each key restores its own setting only; the restored number shows the user's separator.
TEST(Form1Test, LoadsEachKeyAsTheWindowExpectsIt) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"posX", "", "0,-,-,-, 7 240 0001"},
        {"posY", "-60", "-,-60,-,-, 7 240 0001"},
        {"winH", "2205.4", "-,-,-,2205, 7 240 0001"},
        {"backH", "ERROR", "-,-,-,-, 12 240 0001"},
        {"UntilMin", "12.5", "-,-,-,-, 7 12,5 0001"},
        {"chk10", "1.5", "-,-,-,-, 7 240 2001"},
        {"chkLess", " 1", "-,-,-,-, 7 240 0101"},
        // Mended: unusable values leave the setting as laid out instead of ending the program
        // before its window shows.
        {"chk10", "99999", "-,-,-,-, 7 240 0001"},
        {"chk10", "3", "-,-,-,-, 7 240 0001"},
        {"chkLang", "-1", "-,-,-,-, 7 240 0001"},
        {"chkUntilMin", "1e400", "-,-,-,-, 7 240 0001"},
        {"posX", "1e400", "-,-,-,-, 7 240 0001"},
        {"winW", "1e39", "-,-,-,-, 7 240 0001"},
    };
    for (const auto& [key, stored, expected] : cases) {
        Harness h(Saved{{key, stored}, {"backH", "7"}}, ",");
        h.form.Load();
        EXPECT_EQ(Restored(h), expected) << key << "=" << stored;
        EXPECT_EQ(h.host.messages.size(), 0u);
    }
}

TEST(Form1Test, ExitWritesTheTenKeysInOrderAndEnds) {
    Harness h(Saved{{"chk10", "99999"}, {"chkLess", " 1"}});
    h.form.Load();
    h.host.frame = {1440, 1080, 6480, 2205};
    h.form.UserEditText(ControlId::txtPlaybackHour, "ERROR");
    h.form.UserClick(ControlId::chkUntilMinute);
    h.form.UserClick(ControlId::cmdExit);
    EXPECT_TRUE(h.host.ended);
    std::string written;
    for (const auto& write : h.profile.Writes()) {
        EXPECT_EQ(write.fileName + "/" + write.section, std::string(kSettingsPath) + "/Data");
        written += write.key + "=" + write.value + ",";
    }
    EXPECT_EQ(written,
              "posX= 1440,posY= 1080,winW= 6480,winH= 2205,backH=ERROR,chk10= 0,"
              "chkLess= 1,chkUntilMin= 1,UntilMin=240,chkLang= 1,");

    // A box saved as "ERROR" reads as missing next time and shows its laid-out text.
    Harness next(Saved{{"backH", "ERROR"}});
    next.form.Load();
    EXPECT_EQ(next.At(ControlId::txtPlaybackHour).caption, "12");
    next.profile.FailWrites(true);  // the program ends all the same
    next.form.UserClick(ControlId::cmdExit);
    EXPECT_TRUE(next.host.ended);
}

TEST(Form1Test, EventsReachOnlyTheirHandlersAndMessagesTheHost) {
    Harness h;
    h.form.Load();
    h.form.UserClick(ControlId::chkLessThanNow);  // hidden: never clicked
    EXPECT_EQ(h.At(ControlId::chkLessThanNow).value, 0);
    h.form.UserClick(ControlId::cmdNormal);  // disabled at start
    EXPECT_EQ(h.form.State().RunMode, 0);
    h.host.changed.clear();
    h.form.SetCheckValue(ControlId::chkLanguage, 1);  // the same value raises nothing
    EXPECT_TRUE(h.host.changed.empty());
    h.form.UserEditText(ControlId::txtPlaybackHour, "99999");
    // A message identical to one still open is not shown again; once closed, it is.
    h.form.UserClick(ControlId::cmdPlayback);
    h.form.UserClick(ControlId::cmdPlayback);
    h.form.MessageClosed(h.host.messages.back().first);
    h.form.UserClick(ControlId::cmdPlayback);
    ASSERT_EQ(h.host.messages.size(), 2u);
    EXPECT_NE(h.host.messages[0].second.find("「99999」"), std::string::npos);  // Japanese
    h.form.UserEditText(ControlId::txtUntilMinutes, "1e9");
    h.form.UserClick(ControlId::chkUntilMinute);
    EXPECT_EQ(h.host.messages.size(), 3u) << "a different message shows beside it";
    // In English, and a refusal names the program's own path for the command that mends it.
    h.clock.RefuseSets(true);
    h.form.SetCheckValue(ControlId::chkLanguage, 0);
    h.form.UserEditText(ControlId::txtPlaybackHour, "1");
    h.form.UserClick(ControlId::cmdPlayback);
    ASSERT_EQ(h.host.messages.size(), 4u);
    EXPECT_NE(h.host.messages[3].second.find(
                  "run: sudo setcap cap_sys_time+ep '/opt/o'\\''neil/quick tock'"),
              std::string::npos)
        << h.host.messages[3].second;
    // A failure that escapes a handler, here the window's own, ends the program with its text.
    h.host.failChanges = true;
    h.form.TimerTick();
    EXPECT_EQ(h.host.failure, "the host failed");
}

// The focus starts on Exit once the window is active. A button that disables itself hands the
// focus to the one just enabled: by a click, by the minute limit in a tick while another window is
// active, and not when a failed command leaves the buttons as they were.
TEST(Form1Test, TheFocusMovesToTheButtonJustEnabled) {
    Harness h;
    h.form.Load();
    h.form.WindowActivated();
    EXPECT_EQ(h.host.focus, ControlId::cmdExit);
    h.host.focus = ControlId::cmdAccel;
    h.form.UserClick(ControlId::cmdAccel);
    EXPECT_EQ(h.host.focus, ControlId::cmdNormal);
    h.form.UserClick(ControlId::cmdNormal);
    EXPECT_EQ(h.host.focus, ControlId::cmdAccel);
    h.form.UserEditText(ControlId::txtUntilMinutes, "99999");
    h.form.UserClick(ControlId::cmdAccel);
    EXPECT_EQ(h.host.focus, ControlId::cmdAccel);
    h.form.UserEditText(ControlId::txtUntilMinutes, "0");
    h.form.UserClick(ControlId::chkUntilMinute);
    h.form.UserClick(ControlId::cmdAccel);
    h.form.WindowDeactivated(h.host.focus);
    h.host.focus.reset();
    h.form.TimerTick();
    EXPECT_EQ(h.form.State().RunMode, 2);
    EXPECT_EQ(h.host.focus, std::nullopt) << "the host is not asked while another window is active";
    h.form.WindowActivated();
    EXPECT_EQ(h.host.focus, ControlId::cmdAccel);
}

}  // namespace
}  // namespace quicktock
