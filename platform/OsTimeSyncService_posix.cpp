#include "platform/OsTimeSyncService.h"

#include "platform/ProcessTimeSync.h"

namespace quicktock {

void OsTimeSyncService::Ask(Answer answer) {
    const auto names = ProcessNames("/proc");
    answer(names ? TimeSyncAmongProcesses(*names) : TimeSyncStatus{});
}

}  // namespace quicktock
