// The time of one read and one write of a setting, on a settings file as the program leaves it
// (ten keys) and on one of 10,000 lines whose section "Data" comes last, so that every read
// scans the whole file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/OsProfileFunctions.h"
#include "settings/IniFile.h"

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

BENCHMARK(GetINIValue)->Arg(11)->Arg(10'000)->ArgName("lines")->Unit(benchmark::kMicrosecond);
BENCHMARK(SetINIValue)->Arg(11)->Arg(10'000)->ArgName("lines")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quicktock
