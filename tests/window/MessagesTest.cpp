#include "window/Messages.h"

#include <gtest/gtest.h>

namespace quicktock {
namespace {

using Action = EngineFailure::Action;
using Kind = EngineFailure::Kind;

TEST(MessagesTest, ComposesEachKindInBothLanguages) {
    EngineFailure refused{Action::Tick, Kind::ClockNotSet};
    refused.remedy = ClockRemedy::GrantCapability;
    refused.systemReason = "Operation not permitted";
    EngineFailure administrator = refused;
    administrator.remedy = ClockRemedy::RunAsAdministrator;
    administrator.systemReason = "error 1314";
    EngineFailure number{Action::Playback, Kind::NumberOutOfRange,
                         EngineView::TextBox::PlaybackHour, "99999"};
    const EngineFailure date{Action::GotoEstimate, Kind::DateOutOfRange};
    const std::string path = "/home/o'neil/quick tock";
    const struct {
        const EngineFailure& failure;
        bool japanese;
        std::string text;
    } cases[] = {
        {refused, false,
         "Quicktock could not set the clock (Operation not permitted). To give it the right, run: "
         "sudo setcap cap_sys_time+ep '/home/o'\\''neil/quick tock'"},
        {refused, true,
         "時計を設定できませんでした（Operation not permitted）。権限を与えるには次を実行してくだ"
         "さい: sudo setcap cap_sys_time+ep '/home/o'\\''neil/quick tock'"},
        {administrator, false,
         "Quicktock could not set the clock (error 1314). Run Quicktock as administrator."},
        {number, false,
         "The clock was not set back: the hours box next to \"|<<\" holds \"99999\", which is not "
         "a "
         "number in the range -32768..32767."},
        {date, false,
         "The clock was not set to the counted time: the date would leave the years 100 to 9999."},
    };
    for (const auto& [failure, japanese, text] : cases) {
        EXPECT_EQ(ComposeMessage(failure, japanese, path), text);
    }
}

}  // namespace
}  // namespace quicktock
