#include "platform/ProcessTimeSync.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quicktock {
namespace {

TEST(ProcessTimeSyncTest, FindsTheDaemonAmongTheNumberedFoldersOfAProcFolder) {
    namespace fs = std::filesystem;
    const fs::path proc = fs::temp_directory_path() / "quicktock-proc-test";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"bash", "systemd-timesyn"}, "systemd-timesyncd"},  // the kernel keeps 15 characters
        {{"ntpdate", "chronyc", "systemd"}, ""},
    };
    for (const auto& [names, daemon] : cases) {
        fs::remove_all(proc);
        for (std::size_t i = 0; i < names.size(); ++i) {
            fs::create_directories(proc / std::to_string(100 + i));
            std::ofstream(proc / std::to_string(100 + i) / "comm") << names[i] << "\n";
        }
        const TimeSyncStatus status = TimeSyncAmongProcesses(*ProcessNames(proc.string()));
        EXPECT_EQ(status.state == TimeSyncStatus::State::Active, !daemon.empty()) << daemon;
        EXPECT_EQ(status.service, daemon);
    }
    fs::remove_all(proc);
}

}  // namespace
}  // namespace quicktock
