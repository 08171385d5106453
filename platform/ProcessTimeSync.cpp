#include "platform/ProcessTimeSync.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quicktock {

TimeSyncStatus TimeSyncAmongProcesses(const std::vector<std::string>& names) {
    // openntpd's process calls itself ntpd; the kernel cuts command names to 15 characters,
    // which systemd-timesyncd (17) does not survive.
    static const char* const kDaemons[] = {"systemd-timesyn", "chronyd", "ntpd", "openntpd"};
    for (const char* daemon : kDaemons) {
        if (std::find(names.begin(), names.end(), daemon) != names.end()) {
            const std::string name = daemon;
            return {TimeSyncStatus::State::Active,
                    name == "systemd-timesyn" ? "systemd-timesyncd" : name,
                    TimeSyncStatus::Remedy::StopService};
        }
    }
    return {TimeSyncStatus::State::Inactive, "", TimeSyncStatus::Remedy::StopService};
}

std::optional<std::vector<std::string>> ProcessNames(const std::string& procFolder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(procFolder, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        const std::string pid = entries->path().filename().string();
        if (pid.empty() ||
            !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        std::ifstream comm(entries->path() / "comm");
        std::string name;
        if (std::getline(comm, name)) {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace quicktock
