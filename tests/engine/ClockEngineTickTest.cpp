#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "tests/engine/EngineFixture.h"

namespace quicktock {
namespace {

std::string Shown(const CivilTime& time) {
    return FormatClockDate(FromCivil(time), "yyyy/mm/dd hh:mm:ss", {});
}

// A clock minute passes in two ticks (four with the 10-second box), also when every tick comes
// a millisecond early or 20 ms late. A reading cut to the second instead of rounded fails the
// early case: second 59 would read again and the minute would take three ticks.
TEST(TickTest, ClockMinutePassesInTwoOrFourTicksWhateverTheTimerJitter) {
    const std::tuple<std::int16_t, std::int64_t, int> cases[] = {
        {0, 999, 2}, {0, 1020, 2}, {1, 999, 4}, {1, 1020, 4}};
    for (const auto& [tenSeconds, interval, ticksPerMinute] : cases) {
        EngineRig rig;
        rig.view.checks[Check::chk10sec] = tenSeconds;
        rig.view.minimised = true;
        rig.engine.Accelerate();
        rig.TickAfter(interval, 40);
        EXPECT_EQ(rig.view.windowCaption.substr(0, 3), ">> ");
        const CivilTime now = ToCivil(rig.clock.NowLocal());
        EXPECT_EQ(now.hour * 60 + now.minute - 600, 40 / ticksPerMinute)
            << "10sec=" << tenSeconds << " interval=" << interval;
        EXPECT_TRUE(rig.view.failures.empty());
    }
}

TEST(TickTest, JumpsOnlyFromTheSecondsTheVariantNames) {
    const struct {
        std::int16_t tenSeconds;
        int second;
        std::optional<int> jumpTo;
    } cases[] = {
        {0, 0, {}},  {0, 59, {}}, {0, 1, 59},  {0, 30, 59}, {0, 58, 59}, {1, 0, {}},
        {1, 9, {}},  {1, 10, {}}, {1, 59, {}}, {1, 1, 9},   {1, 8, 9},   {1, 11, 59},
        {1, 58, 59}, {2, 1, {}},  {2, 30, {}}, {2, 11, {}},
    };
    for (const auto& [tenSeconds, second, jumpTo] : cases) {
        EngineRig rig({2026, 12, 31, 23, 59, second});
        rig.view.checks[Check::chk10sec] = tenSeconds;
        rig.engine.Accelerate();
        rig.engine.Tick();
        const CivilTime shown{2026, 12, 31, 23, 59, jumpTo.value_or(second)};
        EXPECT_EQ(rig.clock.Sets().size(), jumpTo ? 1u : 0u) << tenSeconds << " " << second;
        EXPECT_EQ(rig.clock.Now(), shown);
        // The label shows the time the clock was just set to.
        EXPECT_EQ(rig.view.presentTime, Shown(shown)) << tenSeconds << " " << second;
    }
}

// Mended fault: the counted time is the start plus the running seconds, not one second per
// tick, so a sleep of the machine or a late timer does not hold it back. Idle and normal mode
// never touch the clock.
TEST(TickTest, CountedTimeFollowsTheRunningClockInEveryMode) {
    const struct {
        std::int64_t interval;
        int ticks;
        std::int64_t sleep;
        CivilTime counted;
    } cases[] = {
        {1700, 4, 0, {2026, 12, 6, 10, 0, 13}},
        {1000, 2, 14 * 3600'000, {2026, 12, 7, 0, 0, 4}},
    };
    for (const auto& [interval, ticks, sleep, counted] : cases) {
        EngineRig rig;
        rig.TickAfter(interval, ticks);
        rig.engine.Accelerate();
        rig.engine.Normal();
        rig.clock.Advance(sleep);
        rig.TickAfter(interval, ticks);
        EXPECT_TRUE(rig.clock.Sets().empty());
        EXPECT_EQ(rig.view.estimateTime, Shown(counted));
        EXPECT_EQ(rig.view.windowCaption, "Quicktock");
    }
}

// The limit counts one minute each time the second read falls back, stops at zero, and does
// so also when no variant jumps. Mended fault: the count must not wrap round below -32768.
TEST(TickTest, MinuteLimitCountsFallsOfTheSecondAndStops) {
    const struct {
        const char* limit;
        std::int16_t tenSeconds;
        std::int64_t firstInterval;
        int ticksToStop;
        std::int16_t minutesLeft;
    } cases[] = {{"3", 0, 1000, 6, 0}, {"0", 2, 1000, 1, 0}, {"-32768", 2, 40'000, 1, -32768}};
    for (const auto& [limit, tenSeconds, firstInterval, ticksToStop, minutesLeft] : cases) {
        EngineRig rig;
        rig.TickAfter(30'000);  // second 30 remembered
        rig.view.checks[Check::chkUntilMinute] = 1;
        rig.view.checks[Check::chk10sec] = tenSeconds;
        rig.view.untilMinutes = limit;
        rig.engine.Accelerate();
        rig.TickAfter(firstInterval);
        int ticks = 1;
        for (; rig.engine.State().RunMode == 1 && ticks < 20; ++ticks) {
            rig.TickAfter(1000);
        }
        EXPECT_EQ(ticks, ticksToStop) << limit;
        EXPECT_EQ(rig.engine.State().MinutesLeft, minutesLeft) << limit;
        EXPECT_TRUE(rig.view.accelEnabled && !rig.view.normalEnabled) << limit;
    }
}

// Nothing happens while the clock is behind the counted time; once it is ahead, the stop sets
// the clock to the counted date and time, also back across a turn of the year.
TEST(TickTest, CatchUpStopSetsTheClockToTheCountedTimeOnceItIsPassed) {
    const struct {
        CivilTime start;
        CivilTime clock;
        int ticksToStop;
        CivilTime set;
    } cases[] = {
        {{2026, 12, 6, 10, 0, 0}, {2026, 12, 6, 9, 57, 0}, 7, {2026, 12, 6, 10, 0, 7}},
        {{2026, 12, 31, 23, 30, 0}, {2027, 1, 1, 0, 30, 0}, 1, {2026, 12, 31, 23, 30, 1}},
    };
    for (const auto& [start, clock, ticksToStop, set] : cases) {
        EngineRig rig(start);
        rig.view.checks[Check::chkLessThanNow] = 1;
        rig.clock.SetLocalDateTime(FromCivil(clock));
        rig.engine.Accelerate();
        int ticks = 0;
        for (; rig.engine.State().RunMode == 1 && ticks < 30; ++ticks) {
            rig.TickAfter(1000);
        }
        EXPECT_EQ(ticks, ticksToStop);
        EXPECT_EQ(rig.clock.Sets().back(), set);
        rig.view.minimised = true;
        rig.TickAfter(1000);
        EXPECT_EQ(rig.view.presentTime, rig.view.estimateTime);
        // While minimised the caption shows the mode and the counted time.
        EXPECT_EQ("> " + rig.view.estimateTime.substr(11), rig.view.windowCaption);
    }
}

// Mended fault: at the top of the date range the counted time leaves year 9999 while the clock,
// set back, still jumps. The tick is abandoned before it sets the clock, the engine state stays
// as it was, and the program carries on.
TEST(TickTest, CountedTimeBeyondYear9999AbandonsTheTickBeforeTheClockIsSet) {
    EngineRig rig({9999, 12, 31, 23, 59, 58});
    rig.view.playbackHour = "1";
    rig.engine.Playback();
    rig.engine.Accelerate();
    const EngineState before = rig.engine.State();
    rig.TickAfter(3000);
    ASSERT_EQ(rig.view.failures.size(), 1u);
    EXPECT_EQ(rig.view.failures[0].kind, EngineFailure::Kind::DateOutOfRange);
    EXPECT_EQ(rig.clock.Sets().size(), 1u) << "only the playback set the clock";
    EXPECT_EQ(rig.engine.State().Elapsed, before.Elapsed);
    EXPECT_EQ(rig.engine.State().RunMode, 1);
}

// Thirty real days of ticks while accelerating: about 900 clock days across month ends, year
// ends and a leap day, with no failure, the counted time exactly the start plus the real time,
// and exactly one clock minute per two ticks.
TEST(TickTest, ThirtyRealDaysOfAcceleration) {
    const CivilTime start{2027, 12, 1, 0, 0, 0};
    EngineRig rig(start);
    rig.engine.Accelerate();
    for (int day = 1; day <= 30; ++day) {
        rig.TickAfter(1000, 86400);
        ASSERT_TRUE(rig.view.failures.empty()) << day;
        ASSERT_EQ(rig.view.estimateTime, Shown(ToCivil(FromCivil(start) + day)));
        ASSERT_EQ(rig.clock.Now(), ToCivil(FromCivil(start) + day * 30)) << day;
    }
    EXPECT_EQ(rig.view.presentTime, "2030/05/19 00:00:00");
}

}  // namespace
}  // namespace quicktock
