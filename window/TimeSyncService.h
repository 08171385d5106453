#pragma once

#include <functional>
#include <string>

namespace quicktock {

// What is known about a service that keeps the system clock in step with a time server. Such a
// service undoes an accelerated clock: it jumps or slews the clock back, or gives up on it.
struct TimeSyncStatus {
    enum class State { Active, Inactive, Unknown };
    // How the user can pause the service while the clock runs fast, and resume it afterwards.
    enum class Remedy {
        SetNtp,         // timedatectl set-ntp false / true
        StopService,    // stop the named service with the system's service manager
        WindowsService  // net stop w32time / net start w32time, as administrator
    };

    State state = State::Unknown;
    std::string service;  // the service's own name where known ("chronyd", "W32Time"), else empty
    Remedy remedy = Remedy::SetNtp;
};

// Asks the system whether such a service is active.
class TimeSyncService {
public:
    using Answer = std::function<void(const TimeSyncStatus&)>;

    virtual ~TimeSyncService() = default;

    // Calls answer exactly once on the window's thread, either before Ask returns or later from
    // the window's event loop; never blocks that loop for long. An answer still pending when the
    // service goes away is dropped.
    virtual void Ask(Answer answer) = 0;
};

}  // namespace quicktock
