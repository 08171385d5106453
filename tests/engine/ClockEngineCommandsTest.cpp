#include <gtest/gtest.h>

#include <utility>

#include "tests/engine/EngineFixture.h"

namespace quicktock {
namespace {

using Kind = EngineFailure::Kind;

// The clock is set to the whole moved date-time: twelve hours back from 08:00 is 20:00 of the
// day before, not of the same day; sixteen forward is midnight of the next.
TEST(CommandsTest, PlaybackMovesTheClockBackByTheWholeHoursInTheBox) {
    const std::pair<const char*, CivilTime> cases[] = {
        {"12", {2026, 12, 5, 20, 0, 0}},
        {"-16", {2026, 12, 7, 0, 0, 0}},
        {"2.5", {2026, 12, 6, 6, 0, 0}},  // read as the number conversions read it
    };
    for (const auto& [text, set] : cases) {
        EngineRig rig({2026, 12, 6, 8, 0, 0});
        rig.view.playbackHour = text;
        rig.engine.Playback();
        EXPECT_EQ(rig.clock.Sets(), std::vector<CivilTime>{set}) << text;
        EXPECT_EQ(rig.engine.State().RunMode, 0);
    }
}

// The counted time is the start-up reading plus the running seconds up to the click, on
// whatever date that falls.
TEST(CommandsTest, GotoEstimateSetsTheCountedDateAndTime) {
    EngineRig rig({2026, 12, 31, 23, 59, 58});
    rig.view.playbackHour = "1";
    rig.engine.Playback();
    rig.TickAfter(1000, 5);
    rig.clock.Advance(600);
    rig.engine.GotoEstimate();  // counted at the last tick, plus the second the next tick counts
    EXPECT_EQ(rig.clock.Now(), (CivilTime{2027, 1, 1, 0, 0, 4}));
}

// Mended fault: a number that cannot be used abandons the command with no change of state, the
// user is told which box and text are at fault, and the program carries on.
TEST(CommandsTest, UnusableNumbersAreReportedAndChangeNothing) {
    const std::string longText = "1e400" + std::string(40, 'x');
    const struct {
        void (ClockEngine::*command)();
        Box box;
        std::string text;
        std::string shown;
    } cases[] = {
        {&ClockEngine::Playback, Box::txtPlaybackHour, "99999", "99999"},
        {&ClockEngine::Playback, Box::txtPlaybackHour, longText, longText.substr(0, 40) + "..."},
        {&ClockEngine::Accelerate, Box::txtUntilMinutes, "40000", "40000"},
        {&ClockEngine::MinuteLimit, Box::txtUntilMinutes, "-32769", "-32769"},
    };
    for (const auto& [command, box, text, shown] : cases) {
        EngineRig rig({2026, 12, 6, 8, 0, 0});
        (box == Box::txtPlaybackHour ? rig.view.playbackHour : rig.view.untilMinutes) = text;
        rig.view.checks[Check::chkUntilMinute] = 1;
        (rig.engine.*command)();
        ASSERT_EQ(rig.view.failures.size(), 1u) << shown;
        EXPECT_EQ(rig.view.failures[0].kind, Kind::NumberOutOfRange);
        EXPECT_EQ(rig.view.failures[0].box, box) << shown;
        EXPECT_EQ(rig.view.failures[0].boxText, shown);
        EXPECT_EQ(rig.engine.State().RunMode, 0) << shown;
        EXPECT_EQ(rig.engine.State().MinutesLeft, 0) << shown;
        EXPECT_TRUE(rig.view.accelEnabled && !rig.view.normalEnabled) << shown;
        EXPECT_TRUE(rig.clock.Sets().empty()) << shown;
        rig.TickAfter(1000);
        EXPECT_EQ(rig.view.presentTime, "2026/12/06 08:00:01") << shown;
        EXPECT_EQ(rig.view.failures.size(), 1u) << shown;
    }
}

// A refused set is reported with its remedy; a command keeps the mode, while accelerating the
// first refusal stops, so that it is not shown every second.
TEST_F(EngineFixture, RefusedClockSetIsReportedOnceWithItsRemedy) {
    clock.RefuseSets(true);
    engine.Accelerate();
    engine.Playback();
    engine.GotoEstimate();
    EXPECT_EQ(engine.State().RunMode, 1);
    TickAfter(1000, 5);
    ASSERT_EQ(view.failures.size(), 3u);
    EXPECT_EQ(view.failures[2].kind, Kind::ClockNotSet);
    EXPECT_EQ(view.failures[2].remedy, ClockRemedy::GrantCapability);
    EXPECT_EQ(view.failures[2].action, EngineFailure::Action::Tick);
    EXPECT_EQ(engine.State().RunMode, 2);
    EXPECT_TRUE(view.accelEnabled);
    EXPECT_EQ(view.presentTime, "2026/12/06 10:00:05") << "the label shows the real reading";
}

}  // namespace
}  // namespace quicktock
