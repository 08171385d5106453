#pragma once

#include <optional>
#include <string>
#include <vector>

#include "window/TimeSyncService.h"

namespace quicktock {

// The first time-synchronisation daemon among the given process names: Active with its name
// and the StopService remedy, or Inactive when none of them is one.
TimeSyncStatus TimeSyncAmongProcesses(const std::vector<std::string>& names);

// The command names of the processes listed in a proc folder ("/proc" on Linux), from each
// numbered folder's "comm" file; nothing when the folder cannot be read. Processes that end
// while the folder is read are skipped.
std::optional<std::vector<std::string>> ProcessNames(const std::string& procFolder);

}  // namespace quicktock
