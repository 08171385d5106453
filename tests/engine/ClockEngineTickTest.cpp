#include <gtest/gtest.h>

#include <optional>

#include "tests/engine/EngineFixture.h"

namespace quicktock {
namespace {

using CheckBox = EngineView::CheckBox;

class TickTest : public EngineFixture {};

// A clock minute passes in two ticks (four with the 10-second box), also when every tick comes
// a millisecond early or 20 ms late. A reading cut to the second instead of rounded fails the
// early case: second 59 would read again and the minute would take three ticks.
TEST_F(TickTest, ClockMinutePassesInTwoOrFourTicksWhateverTheTimerJitter) {
    struct Case {
        std::int16_t tenSeconds;
        std::int64_t interval;
        int ticksPerMinute;
    };
    const Case cases[] = {{0, 1000, 2}, {0, 999, 2}, {0, 1020, 2},
                          {1, 1000, 4}, {1, 999, 4}, {1, 1020, 4}};
    for (const auto& [tenSeconds, interval, ticksPerMinute] : cases) {
        FakeSystemClock clock({2026, 12, 6, 10, 0, 0});
        RecordingEngineView view;
        view.checks[CheckBox::TenSeconds] = tenSeconds;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        engine.Accelerate();
        const int ticks = 40;
        for (int i = 0; i < ticks; ++i) {
            clock.Advance(interval);
            engine.Tick();
        }
        const CivilTime now = ToCivil(clock.NowLocal());
        EXPECT_EQ(now.hour * 60 + now.minute - 600, ticks / ticksPerMinute)
            << "10sec=" << tenSeconds << " interval=" << interval;
        EXPECT_TRUE(view.errors.empty());
    }
}

TEST_F(TickTest, JumpsOnlyFromTheSecondsTheVariantNames) {
    struct Case {
        std::int16_t tenSeconds;
        int second;
        std::optional<int> jumpTo;
    };
    const Case cases[] = {
        {0, 0, {}},  {0, 59, {}}, {0, 1, 59},  {0, 30, 59}, {0, 58, 59}, {1, 0, {}},
        {1, 9, {}},  {1, 10, {}}, {1, 59, {}}, {1, 1, 9},   {1, 8, 9},   {1, 11, 59},
        {1, 58, 59}, {2, 1, {}},  {2, 30, {}}, {2, 11, {}},
    };
    for (const auto& [tenSeconds, second, jumpTo] : cases) {
        FakeSystemClock clock({2026, 12, 31, 23, 59, second});
        RecordingEngineView view;
        view.checks[CheckBox::TenSeconds] = tenSeconds;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        engine.Accelerate();
        engine.Tick();
        const int shown = jumpTo.value_or(second);
        EXPECT_EQ(clock.Sets().size(), jumpTo ? 1u : 0u) << tenSeconds << " " << second;
        EXPECT_EQ(clock.Now().second, shown);
        // The label shows the time the clock was just set to.
        char expected[32];
        std::snprintf(expected, sizeof expected, "2026/12/31 23:59:%02d", shown);
        EXPECT_EQ(view.presentTime, expected) << tenSeconds << " " << second;
    }
}

TEST_F(TickTest, IdleAndNormalModesNeverTouchTheClockButCountRealTime) {
    clock.Advance(500);
    for (int i = 0; i < 3; ++i) {
        TickAfter(1000);
    }
    engine.Accelerate();
    engine.Normal();
    for (int i = 0; i < 3; ++i) {
        TickAfter(1000);
    }
    EXPECT_TRUE(clock.Sets().empty());
    EXPECT_EQ(view.presentTime, "2026/12/06 10:00:07");  // 6.5 s rounds up
    EXPECT_EQ(view.estimateTime, "2026/12/06 10:00:06");
    EXPECT_EQ(engine.State().LastSecond, 7);
}

TEST_F(TickTest, CountedTimeAndLabelsCrossMidnightMonthAndYear) {
    struct Case {
        CivilTime start;
        const char* afterTwoTicks;
    };
    const Case cases[] = {
        {{2026, 12, 31, 23, 59, 0}, "2027/01/01 00:00:00"},
        {{2027, 2, 28, 23, 59, 0}, "2027/03/01 00:00:00"},
        {{2028, 2, 28, 23, 59, 0}, "2028/02/29 00:00:00"},
        {{2026, 6, 30, 23, 59, 0}, "2026/07/01 00:00:00"},
    };
    for (const auto& [start, afterTwoTicks] : cases) {
        FakeSystemClock clock(start);
        RecordingEngineView view;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        engine.Accelerate();
        clock.Advance(1000);
        engine.Tick();  // second 1 jumps to 59 of the same day
        clock.Advance(1000);
        engine.Tick();
        EXPECT_EQ(view.presentTime, afterTwoTicks);
        EXPECT_EQ(clock.Sets().size(), 1u);
        clock.Advance(1000);
        engine.Tick();  // and on the new day second 1 jumps to 59 again
        EXPECT_EQ(view.presentTime, std::string(afterTwoTicks).substr(0, 11) + "00:00:59");
    }
    FakeSystemClock lateClock({2026, 12, 31, 23, 59, 59});
    RecordingEngineView lateView;
    ClockEngine late(lateClock, lateView, {});
    late.Reset();
    lateClock.Advance(1000);
    late.Tick();
    EXPECT_EQ(lateView.estimateTime, "2027/01/01 00:00:00");
}

// The limit counts one minute each time the second read falls back, and stops at zero.
TEST_F(TickTest, MinuteLimitCountsFallsOfTheSecondAndStops) {
    SetCheck(CheckBox::UntilMinute, 1);
    view.untilMinutes = "3";
    engine.Accelerate();
    const std::int64_t start = ClockSeconds();
    int ticks = 0;
    while (engine.State().RunMode == 1 && ticks < 20) {
        TickAfter(1000);
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(engine.State().MinutesLeft, 0);
    EXPECT_TRUE(view.accelEnabled);
    EXPECT_FALSE(view.normalEnabled);
    EXPECT_EQ((ClockSeconds() - start) / 60, 3);
    TickAfter(1000);
    EXPECT_EQ(clock.Now().second, 1) << "no jump after the stop";
}

TEST_F(TickTest, MinuteLimitWorksWithGreyedTenSecondsAndStopsAtOnceWhenNoneLeft) {
    SetCheck(CheckBox::TenSeconds, 2);
    SetCheck(CheckBox::UntilMinute, 1);
    view.untilMinutes = "0";
    engine.Accelerate();
    TickAfter(1000);
    EXPECT_EQ(engine.State().RunMode, 2);
    EXPECT_TRUE(clock.Sets().empty());
}

// Mended fault: the countdown below -32768 must not wrap round to a large allowance.
TEST_F(TickTest, MinuteCountdownStaysAtItsFloorAndStops) {
    clock.Advance(30'000);
    engine.Tick();  // second 30 remembered
    SetCheck(CheckBox::UntilMinute, 1);
    view.untilMinutes = "-32768";
    engine.Accelerate();
    clock.Advance(40'000);  // second 10: the second fell
    engine.Tick();
    EXPECT_EQ(engine.State().MinutesLeft, -32768);
    EXPECT_EQ(engine.State().RunMode, 2);
    EXPECT_TRUE(view.errors.empty());
}

TEST_F(TickTest, CatchUpStopSetsTheClockToTheCountedTimeOnceItIsPassed) {
    SetCheck(CheckBox::LessThanNow, 1);
    clock.Advance(-3 * 60'000);  // the clock stands three minutes behind the counted time
    engine.Accelerate();
    int ticks = 0;
    while (engine.State().RunMode == 1 && ticks < 30) {
        TickAfter(1000);
        ++ticks;
    }
    ASSERT_EQ(engine.State().RunMode, 2);
    // Counted time at the stop was start + (ticks - 1) s; the clock goes to one second past it.
    const CivilTime last = clock.Sets().back();
    EXPECT_EQ(last, ToCivil(FromCivil({2026, 12, 6, 10, 0, ticks})));
    EXPECT_EQ(ticks, 7);
    TickAfter(1000);
    EXPECT_EQ(view.presentTime, view.estimateTime);
}

TEST_F(TickTest, CatchUpStopDoesNothingWhileTheClockIsBehind) {
    SetCheck(CheckBox::LessThanNow, 1);
    SetCheck(CheckBox::TenSeconds, 2);
    clock.Advance(-60'000);
    engine.Accelerate();
    for (int i = 0; i < 5; ++i) {
        TickAfter(1000);
    }
    EXPECT_EQ(engine.State().RunMode, 1);
    EXPECT_TRUE(clock.Sets().empty());
}

TEST_F(TickTest, CaptionShowsModeAndCountedTimeOnlyWhileMinimised) {
    view.minimised = true;
    TickAfter(1000);
    EXPECT_EQ(view.windowCaption, "> 10:00:00");  // counted time before this tick's second
    engine.Accelerate();
    TickAfter(1000);
    EXPECT_EQ(view.windowCaption, ">> 10:00:01");
    engine.Normal();
    TickAfter(1000);
    EXPECT_EQ(view.windowCaption, "> 10:00:02");
    view.minimised = false;
    TickAfter(1000);
    EXPECT_EQ(view.windowCaption, "Quicktock");
}

// Mended fault: a date out of range abandons the tick without ending the program; nothing of
// the engine state changes, and the next tick is tried afresh.
TEST(TickFaultTest, CountedTimeBeyondYear9999AbandonsTheTickOnly) {
    FakeSystemClock clock({9999, 12, 31, 23, 59, 58});
    RecordingEngineView view;
    ClockEngine engine(clock, view, {});
    engine.Reset();
    engine.Tick();
    ASSERT_TRUE(view.errors.empty());
    const EngineState before = engine.State();
    engine.Tick();
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_NE(view.errors[0].find("9999"), std::string::npos) << view.errors[0];
    EXPECT_EQ(engine.State().Elapsed, before.Elapsed);
    EXPECT_EQ(engine.State().LastSecond, before.LastSecond);
}

// Mended fault: a refused clock set is reported once and stops the acceleration.
TEST_F(TickTest, RefusedClockSetIsReportedOnceAndStopsAccelerating) {
    clock.RefuseSets(true);
    engine.Accelerate();
    for (int i = 0; i < 5; ++i) {
        TickAfter(1000);
    }
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_NE(view.errors[0].find("could not be set"), std::string::npos);
    EXPECT_EQ(engine.State().RunMode, 2);
    EXPECT_TRUE(view.accelEnabled);
    EXPECT_EQ(view.presentTime, "2026/12/06 10:00:05") << "the label shows the real reading";
}

}  // namespace
}  // namespace quicktock
