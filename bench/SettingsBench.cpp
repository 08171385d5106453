// The time of one read and one write of a setting, on a settings file as the program leaves it
// (ten keys) and on one of 10,000 lines whose section "Data" comes last, so that every read
// scans the whole file; and the time and memory of one save to a file of many megabytes.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>

#include "platform/OsProfileFunctions.h"
#include "settings/IniFile.h"

// Bytes held by operator new, and the most held at once since the last reset.
std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t held = heldBytes += malloc_usable_size(block);
    std::size_t peak = peakBytes.load();
    while (held > peak && !peakBytes.compare_exchange_weak(peak, held)) {
    }
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        heldBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace quicktock {
namespace {

constexpr const char* kKeys[] = {"posX",  "posY",    "winW",        "winH",     "backH",
                                 "chk10", "chkLess", "chkUntilMin", "UntilMin", "chkLang"};

// A settings file of the given number of lines in a fresh temporary folder, removed afterwards.
class BenchFile {
public:
    explicit BenchFile(int lines) {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        do {
            folder_ = base / ("quicktock-bench-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder_));
        path_ = (folder_ / "quicktock.ini").string();

        std::string text;
        const int otherLines = lines - 11;
        if (otherLines > 0) {
            text += "[Other]\r\n";
            for (int i = 1; i < otherLines; ++i) {
                text += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
            }
        }
        text += "[Data]\r\n";
        for (const char* key : kKeys) {
            text += std::string(key) + "= 1440\r\n";
        }
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~BenchFile() { std::filesystem::remove_all(folder_); }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

void GetINIValue(benchmark::State& state) {
    const BenchFile file(static_cast<int>(state.range(0)));
    OsProfileFunctions profile;
    IniFile ini(profile);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ini.GetINIValue("chkLang", "Data", file.Path()));
    }
}

void SetINIValue(benchmark::State& state) {
    const BenchFile file(static_cast<int>(state.range(0)));
    OsProfileFunctions profile;
    IniFile ini(profile);
    int count = 0;
    for (auto _ : state) {
        std::string value = "x";  // a changing value, so every write changes the file
        value += std::to_string(++count % 2000);
        if (!ini.SetINIValue(value, "chkLang", "Data", file.Path())) {
            state.SkipWithError("the settings file could not be written");
            break;
        }
    }
}

// One save to a file of the given number of MiB: lines of keys ended in CRLF, with "Data" last
// (kind 0), or nothing but line feeds (kind 1), which a save would turn into twice as many bytes.
// Reports the most memory held at once above what was held before the save, in MiB.
void SaveLargeFile(benchmark::State& state) {
    const BenchFile file(11);
    const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
    std::string text;
    if (state.range(1) == 0) {
        for (int i = 0; text.size() < size - 200; ++i) {
            text += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
        }
        text += "[Data]\r\nchkLang= 1\r\n";
    } else {
        text.assign(size, '\n');
    }
    double peak = 0;
    bool saved = false;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(file.Path(), std::ios::binary | std::ios::trunc) << text;
        const std::size_t before = heldBytes.load();
        peakBytes = before;
        state.ResumeTiming();
        OsProfileFunctions profile;
        saved = profile.WriteValue("Data", "chkLang", " 0", file.Path());
        peak = std::max(peak, static_cast<double>(peakBytes.load() - before));
    }
    state.counters["peakMiB"] = peak / (1 << 20);
    state.counters["saved"] = saved ? 1 : 0;
}

BENCHMARK(SaveLargeFile)
    ->Args({32, 0})
    ->Args({63, 1})
    ->ArgNames({"MiB", "lineFeeds"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(GetINIValue)->Arg(11)->Arg(10'000)->ArgName("lines")->Unit(benchmark::kMicrosecond);
BENCHMARK(SetINIValue)->Arg(11)->Arg(10'000)->ArgName("lines")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quicktock
