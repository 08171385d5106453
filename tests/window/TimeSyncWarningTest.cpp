#include "window/TimeSyncWarning.h"

#include <gtest/gtest.h>

#include <memory>

namespace quicktock {
namespace {

// Holds each question until the test answers it, as the system bus does.
struct FakeTimeSync final : TimeSyncService {
    void Ask(Answer answer) override { pending.push_back(std::move(answer)); }
    std::vector<Answer> pending;
};

TEST(TimeSyncWarningTest, WarnsOnlyWhenActiveAtMostOncePerRunInTheDisplayLanguage) {
    using S = TimeSyncStatus::State;
    const struct {
        TimeSyncStatus status;
        std::int16_t language;
        std::size_t asks;               // after three starts, each answered before the next
        std::vector<std::string> says;  // empty: no warning
    } cases[] = {
        {{S::Active, "chronyd"}, 0, 1, {"chronyd is active", "set-ntp false", "set-ntp true"}},
        {{S::Active, ""}, 2, 1, {"時刻同期サービスが", "set-ntp false", "set-ntp true"}},
        {{S::Inactive, ""}, 0, 1, {}},
        {{S::Unknown, ""}, 1, 3, {}},
    };
    for (const auto& [status, language, asks, says] : cases) {
        std::vector<std::string> messages;
        FakeTimeSync service;
        Control languageBox{};
        languageBox.value = language;
        TimeSyncWarning warning(
            &service, [&](const std::string& text) { messages.push_back(text); }, languageBox);
        for (std::size_t start = 0, answered = 0; start < 3; ++start) {
            warning.AccelerationStarted();
            warning.AccelerationStarted();  // a question is still open: not asked again
            for (; answered < service.pending.size(); ++answered) {
                service.pending[answered](status);
            }
        }
        EXPECT_EQ(service.pending.size(), asks) << status.service;
        ASSERT_EQ(messages.size(), says.empty() ? 0u : 1u) << status.service;
        for (const std::string& words : says) {
            EXPECT_NE(messages[0].find(words), std::string::npos) << messages[0];
        }
    }
    // An answer that comes after the window has gone is dropped.
    std::vector<std::string> messages;
    FakeTimeSync service;
    std::make_unique<TimeSyncWarning>(
        &service, [&](const std::string& text) { messages.push_back(text); }, Control{})
        ->AccelerationStarted();
    service.pending.at(0)({S::Active, ""});
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace quicktock
