#include "window/TimeSyncWarning.h"

#include <gtest/gtest.h>

#include "tests/window/FakeFormHost.h"

namespace quicktock {
namespace {

using State = TimeSyncStatus::State;
using Remedy = TimeSyncStatus::Remedy;

// Holds each question until the test answers it, as the system bus does.
struct FakeTimeSync final : TimeSyncService {
    void Ask(Answer answer) override { pending.push_back(std::move(answer)); }
    std::vector<Answer> pending;
};

TEST(TimeSyncWarningTest, WarnsOnlyWhenActiveAtMostOncePerRunInTheDisplayLanguage) {
    struct Case {
        TimeSyncStatus status;
        std::int16_t language;
        int asks;                       // after three starts, each answered before the next
        std::vector<std::string> says;  // empty: no warning
    };
    const Case cases[] = {
        {{State::Active, "chronyd", Remedy::SetNtp},
         0,
         1,
         {"service chronyd is active", "timedatectl set-ntp false", "timedatectl set-ntp true"}},
        {{State::Active, "", Remedy::SetNtp}, 1, 1, {"時刻同期サービスが", "set-ntp true"}},
        {{State::Active, "W32Time", Remedy::WindowsService},
         2,
         1,
         {"（W32Time）", "net stop w32time", "net start w32time"}},
        {{State::Active, "ntpd", Remedy::StopService}, 0, 1, {"ntpd is active", "start it again"}},
        {{State::Inactive, "", Remedy::SetNtp}, 0, 1, {}},
        {{State::Unknown, "", Remedy::SetNtp}, 1, 3, {}},
    };
    for (const auto& [status, language, asks, says] : cases) {
        FakeFormHost host;
        FakeTimeSync service;
        Control languageBox{};
        languageBox.value = language;
        TimeSyncWarning warning(&service, host, languageBox);
        std::size_t answered = 0;
        for (int start = 0; start < 3; ++start) {
            warning.AccelerationStarted();
            warning.AccelerationStarted();  // a question is still open: not asked again
            for (; answered < service.pending.size(); ++answered) {
                service.pending[answered](status);
            }
        }
        EXPECT_EQ(static_cast<int>(service.pending.size()), asks) << status.service;
        ASSERT_EQ(host.messages.size(), says.empty() ? 0u : 1u) << status.service;
        for (const std::string& words : says) {
            EXPECT_NE(host.messages[0].find(words), std::string::npos) << host.messages[0];
        }
    }
    FakeFormHost host;
    TimeSyncWarning(nullptr, host, Control{}).AccelerationStarted();
}

}  // namespace
}  // namespace quicktock
