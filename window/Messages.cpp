#include "window/Messages.h"

namespace quicktock {
namespace {

using Action = EngineFailure::Action;
using Kind = EngineFailure::Kind;

// The text quoted for a POSIX shell: in single quotes, each embedded quote written as '\''.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ActionFailed(Action action, bool japanese) {
    switch (action) {
        case Action::Tick:
            return japanese ? "時計を更新できませんでした" : "The clock could not be updated";
        case Action::Playback:
            return japanese ? "時計を戻せませんでした" : "The clock was not set back";
        case Action::Accelerate:
            return japanese ? "早送りを始められませんでした" : "The clock was not accelerated";
        case Action::GotoEstimate:
            return japanese ? "時計を推定時刻に合わせられませんでした"
                            : "The clock was not set to the counted time";
        default:
            return japanese ? "分数の制限を変更できませんでした"
                            : "The minute limit was not changed";
    }
}

std::string BoxName(Box box, bool japanese) {
    if (box == Box::txtPlaybackHour) {
        return japanese ? "「|<<」の横の時間の欄" : "the hours box next to \"|<<\"";
    }
    return japanese ? "分数の制限の欄" : "the minutes box of the minute limit";
}

std::string ClockNotSet(const EngineFailure& failure, bool japanese,
                        const std::string& programPath) {
    std::string text = japanese
                           ? "時計を設定できませんでした（" + failure.systemReason + "）。"
                           : "Quicktock could not set the clock (" + failure.systemReason + ").";
    const std::string command = "sudo setcap cap_sys_time+ep " + ShellQuoted(programPath);
    switch (failure.remedy) {
        case ClockRemedy::GrantCapability:
            text += japanese ? "権限を与えるには次を実行してください: " + command
                             : " To give it the right, run: " + command;
            break;
        case ClockRemedy::RunAsAdministrator:
            text +=
                japanese ? "管理者として実行してください。" : " Run Quicktock as administrator.";
            break;
        default:
            break;
    }
    return text;
}

}  // namespace

std::string ComposeMessage(const EngineFailure& failure, bool japanese,
                           const std::string& programPath) {
    switch (failure.kind) {
        case Kind::ClockNotSet:
            return ClockNotSet(failure, japanese, programPath);
        case Kind::NumberOutOfRange:
            if (japanese) {
                return ActionFailed(failure.action, true) + "。" + BoxName(failure.box, true) +
                       "の「" + failure.boxText + "」は -32768..32767 の範囲外です。";
            }
            return ActionFailed(failure.action, false) + ": " + BoxName(failure.box, false) +
                   " holds \"" + failure.boxText +
                   "\", which is not a number in the range -32768..32767.";
        default:
            if (japanese) {
                return ActionFailed(failure.action, true) +
                       "。日付が 100 年から 9999 年までの範囲外になります。";
            }
            return ActionFailed(failure.action, false) +
                   ": the date would leave the years 100 to 9999.";
    }
}

}  // namespace quicktock
