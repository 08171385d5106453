#include "platform/OsTimeSyncService.h"

#include <windows.h>

namespace quicktock {
namespace {

// The Windows Time service's state, from the service manager; Unknown when it cannot be asked.
TimeSyncStatus::State WindowsTimeState() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return TimeSyncStatus::State::Unknown;
    }
    TimeSyncStatus::State state = TimeSyncStatus::State::Unknown;
    SC_HANDLE service = OpenServiceW(manager, L"W32Time", SERVICE_QUERY_STATUS);
    if (service == nullptr) {
        // A machine without the service has nothing that keeps its clock in step.
        if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) {
            state = TimeSyncStatus::State::Inactive;
        }
    } else {
        SERVICE_STATUS status{};
        if (QueryServiceStatus(service, &status)) {
            const bool running = status.dwCurrentState == SERVICE_RUNNING ||
                                 status.dwCurrentState == SERVICE_START_PENDING ||
                                 status.dwCurrentState == SERVICE_CONTINUE_PENDING;
            state = running ? TimeSyncStatus::State::Active : TimeSyncStatus::State::Inactive;
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return state;
}

}  // namespace

void OsTimeSyncService::Ask(Answer answer) {
    answer({WindowsTimeState(), "W32Time", TimeSyncStatus::Remedy::WindowsService});
}

}  // namespace quicktock
