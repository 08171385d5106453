#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "window/FormLayout.h"
#include "window/TimeSyncService.h"

namespace quicktock {

// The warning, in English or Japanese, that a time-synchronisation service will undo the fast
// clock, with how to pause and restore it.
std::string TimeSyncWarningText(const TimeSyncStatus& status, bool japanese);

// Tells the user, at most once per run, that the clock about to run fast will be fought by a
// time-synchronisation service. Asks only when acceleration starts, never while an earlier
// question is still open, and no more once an answer was Active or Inactive: an Unknown answer
// leaves the next start free to ask again.
class TimeSyncWarning {
public:
    // Without a service (nullptr) nothing is ever asked. The language box is read when the
    // answer comes, so the warning follows a language switched meanwhile.
    using Show = std::function<void(const std::string& text)>;
    TimeSyncWarning(TimeSyncService* service, Show show, const Control& languageBox)
        : service_(service), show_(std::move(show)), languageBox_(languageBox) {}
    TimeSyncWarning(const TimeSyncWarning&) = delete;
    TimeSyncWarning& operator=(const TimeSyncWarning&) = delete;

    void AccelerationStarted();

private:
    void Answered(const TimeSyncStatus& status);

    TimeSyncService* service_;
    Show show_;
    const Control& languageBox_;
    bool asking_ = false;
    bool settled_ = false;
    // An answer that arrives after the window has gone is dropped.
    std::shared_ptr<TimeSyncWarning*> self_ = std::make_shared<TimeSyncWarning*>(this);
};

}  // namespace quicktock
