#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace quicktock {

// What the user can do so that the clock can be set.
enum class ClockRemedy {
    None,
    GrantCapability,    // give the program the capability to set the clock (setcap)
    RunAsAdministrator  // start the program as administrator
};

// The system refused to set the clock. The window composes the words in the display language
// from the remedy and the system's own reason.
class ClockSetError : public std::runtime_error {
public:
    // reason: the system's text for the failure, e.g. "Operation not permitted" or "error 1314".
    ClockSetError(ClockRemedy remedy, std::string systemReason)
        : std::runtime_error(systemReason), remedy_(remedy), reason_(std::move(systemReason)) {}

    ClockRemedy Remedy() const { return remedy_; }
    const std::string& SystemReason() const { return reason_; }

private:
    ClockRemedy remedy_;
    std::string reason_;
};

}  // namespace quicktock
