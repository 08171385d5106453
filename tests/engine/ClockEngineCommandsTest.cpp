#include <gtest/gtest.h>

#include <functional>

#include "tests/engine/EngineFixture.h"

namespace quicktock {
namespace {

using CheckBox = EngineView::CheckBox;

class CommandsTest : public EngineFixture {
protected:
    CommandsTest() : EngineFixture({2026, 12, 6, 8, 0, 0}) {}
};

TEST_F(CommandsTest, PlaybackSetsTheTimeOfDayBackByTheWholeHoursInTheBox) {
    struct Case {
        const char* text;
        CivilTime set;
    };
    const Case cases[] = {
        {"12", {2026, 12, 5, 20, 0, 0}},  // the platform keeps the date; only the time counts
        {"abc", {2026, 12, 6, 8, 0, 0}}, {"-3", {2026, 12, 6, 11, 0, 0}},
        {"1.5", {2026, 12, 6, 6, 0, 0}}, {"2.5", {2026, 12, 6, 6, 0, 0}},
        {"2 4", {2026, 12, 5, 8, 0, 0}},
    };
    for (const auto& [text, set] : cases) {
        FakeSystemClock clock({2026, 12, 6, 8, 0, 0});
        RecordingEngineView view;
        view.playbackHour = text;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        engine.Playback();
        ASSERT_EQ(clock.Sets().size(), 1u) << text;
        EXPECT_EQ(clock.Sets()[0], set) << text;
        EXPECT_EQ(clock.Now().day, 6) << text;
        EXPECT_EQ(engine.State().RunMode, 0);
    }
}

TEST_F(CommandsTest, AccelerateFromEveryModeLoadsTheLimitAndSwapsTheButtons) {
    struct Case {
        const char* text;
        std::int16_t minutes;
    };
    const Case cases[] = {{"240", 240}, {"1.5", 2}, {"2.5", 2}, {"0.5", 0}, {"", 0}};
    for (const auto& [text, minutes] : cases) {
        view.untilMinutes = text;
        engine.Accelerate();
        EXPECT_EQ(engine.State().RunMode, 1);
        EXPECT_EQ(engine.State().MinutesLeft, minutes) << text;
        EXPECT_FALSE(view.accelEnabled);
        EXPECT_TRUE(view.normalEnabled);
        engine.Normal();
        EXPECT_EQ(engine.State().RunMode, 2);
        EXPECT_TRUE(view.accelEnabled);
        EXPECT_FALSE(view.normalEnabled);
    }
    engine.Accelerate();
    view.untilMinutes = "7";
    engine.Accelerate();  // already accelerating: stays so, reloads the limit
    EXPECT_EQ(engine.State().RunMode, 1);
    EXPECT_EQ(engine.State().MinutesLeft, 7);
}

TEST_F(CommandsTest, GotoEstimateSetsTheCountedTimePlusOneSecond) {
    clock.Advance(-3600'000);  // the clock was set back an hour
    for (int i = 0; i < 5; ++i) {
        TickAfter(1000);
    }
    engine.GotoEstimate();
    ASSERT_EQ(clock.Sets().size(), 1u);
    EXPECT_EQ(clock.Sets()[0], (CivilTime{2026, 12, 6, 8, 0, 6}));
}

TEST_F(CommandsTest, MinuteLimitReloadsOnlyWhenChecked) {
    view.untilMinutes = "240";
    SetCheck(CheckBox::UntilMinute, 1);
    engine.MinuteLimit();
    EXPECT_EQ(engine.State().MinutesLeft, 240);
    view.untilMinutes = "5";
    for (const std::int16_t value : {0, 2}) {
        SetCheck(CheckBox::UntilMinute, value);
        engine.MinuteLimit();
        EXPECT_EQ(engine.State().MinutesLeft, 240);
    }
}

// Mended fault: a number that cannot be used abandons the command with no change of state, the
// user is told which box is at fault, and the program carries on.
TEST_F(CommandsTest, UnusableNumbersAreReportedAndChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(RecordingEngineView&)> prepare;
        void (ClockEngine::*command)();
        const char* boxWords;
    };
    const Case cases[] = {
        {"playback 99999", [](auto& v) { v.playbackHour = "99999"; }, &ClockEngine::Playback,
         "hours box"},
        {"playback 1e400", [](auto& v) { v.playbackHour = "1e400"; }, &ClockEngine::Playback,
         "hours box"},
        {"accelerate 40000", [](auto& v) { v.untilMinutes = "40000"; }, &ClockEngine::Accelerate,
         "minutes box"},
        {"minute limit -32769",
         [](auto& v) {
             v.untilMinutes = "-32769";
             v.checks[CheckBox::UntilMinute] = 1;
         },
         &ClockEngine::MinuteLimit, "minutes box"},
    };
    for (const auto& [name, prepare, command, boxWords] : cases) {
        FakeSystemClock clock({2026, 12, 6, 8, 0, 0});
        RecordingEngineView view;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        prepare(view);
        (engine.*command)();
        ASSERT_EQ(view.errors.size(), 1u) << name;
        EXPECT_NE(view.errors[0].find(boxWords), std::string::npos) << view.errors[0];
        EXPECT_EQ(engine.State().RunMode, 0) << name;
        EXPECT_EQ(engine.State().MinutesLeft, 0) << name;
        EXPECT_TRUE(view.accelEnabled) << name;
        EXPECT_FALSE(view.normalEnabled) << name;
        EXPECT_TRUE(clock.Sets().empty()) << name;
        clock.Advance(1000);
        engine.Tick();
        EXPECT_EQ(view.presentTime, "2026/12/06 08:00:01") << name;
        EXPECT_EQ(view.errors.size(), 1u) << name;
    }
}

TEST_F(CommandsTest, RefusedClockSetIsReportedAndLeavesTheModeAlone) {
    clock.RefuseSets(true);
    engine.Accelerate();
    engine.Playback();
    engine.GotoEstimate();
    ASSERT_EQ(view.errors.size(), 2u);
    EXPECT_EQ(engine.State().RunMode, 1);
}

}  // namespace
}  // namespace quicktock
