#pragma once

#include "window/TimeSyncService.h"

namespace quicktock {

// Looks for a time-synchronisation service without any service bus: the running processes on
// Linux, the Windows Time service on Windows. Answers before Ask returns.
class OsTimeSyncService final : public TimeSyncService {
public:
    void Ask(Answer answer) override;
};

}  // namespace quicktock
