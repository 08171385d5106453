#include "platform/ProcessTimeSync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quicktock {
namespace {

TEST(ProcessTimeSyncTest, FindsTheDaemonByItsKernelCommandName) {
    using State = TimeSyncStatus::State;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"bash", "systemd-timesyn"}, "systemd-timesyncd"},  // the kernel keeps 15 characters
        {{"chronyd"}, "chronyd"},
        {{"sshd", "ntpd"}, "ntpd"},
        {{"ntpdate", "chronyc", "systemd"}, ""},
        {{}, ""},
    };
    for (const auto& [names, daemon] : cases) {
        const TimeSyncStatus status = TimeSyncAmongProcesses(names);
        EXPECT_EQ(status.state, daemon.empty() ? State::Inactive : State::Active) << daemon;
        EXPECT_EQ(status.service, daemon);
    }
}

TEST(ProcessTimeSyncTest, ReadsTheNumberedFoldersOfAProcFolder) {
    const auto proc = std::filesystem::temp_directory_path() / "quicktock-proc-test";
    std::filesystem::remove_all(proc);
    for (const auto& [folder, comm] : {std::pair{"1", "systemd\n"},
                                       {"4711", "chronyd\n"},
                                       {"self", "quicktock\n"},
                                       {"42", ""}}) {
        std::filesystem::create_directories(proc / folder);
        std::ofstream(proc / folder / "comm") << comm;
    }
    auto names = ProcessNames(proc.string());
    ASSERT_TRUE(names.has_value());
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (std::vector<std::string>{"chronyd", "systemd"}));
    EXPECT_FALSE(ProcessNames((proc / "absent").string()).has_value());
    std::filesystem::remove_all(proc);
}

}  // namespace
}  // namespace quicktock
