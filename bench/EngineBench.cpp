// Reports the cost of one tick while accelerating, on a fake clock, and of reading a number
// from a typical box text.

#include <benchmark/benchmark.h>

#include "engine/ClockEngine.h"
#include "engine/NumberConversions.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/fakes/RecordingEngineView.h"

namespace quicktock {
namespace {

void BM_TickWhileAccelerating(benchmark::State& state) {
    FakeSystemClock clock({2026, 12, 6, 10, 0, 0});
    RecordingEngineView view;
    view.checks[Check::chkUntilMinute] = 1;
    view.untilMinutes = "32767";
    ClockEngine engine(clock, view, DateTimeSeparators{});
    engine.Reset();
    engine.Accelerate();
    for (auto _ : state) {
        clock.Advance(1000);
        engine.Tick();
        if (engine.State().RunMode != 1) {
            engine.Accelerate();
        }
    }
    benchmark::DoNotOptimize(view.presentTime);
}
BENCHMARK(BM_TickWhileAccelerating);

void BM_ParseNumber(benchmark::State& state) {
    const std::string text = " 240";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNumber(text));
    }
}
BENCHMARK(BM_ParseNumber);

void BM_ParseNumberWithExponent(benchmark::State& state) {
    const std::string text = "1.5e3 minutes";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNumber(text));
    }
}
BENCHMARK(BM_ParseNumberWithExponent);

}  // namespace
}  // namespace quicktock
