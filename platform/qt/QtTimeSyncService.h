#pragma once

#include <QObject>

#include "window/TimeSyncService.h"

namespace quicktock {

// Asks systemd's time and date service over the system bus whether it keeps the clock in step
// (its NTP property), without waiting for the reply. Where that service cannot answer, the
// fallback decides; where it answers yes, the fallback may still name the service that runs.
class QtTimeSyncService final : public QObject, public TimeSyncService {
public:
    explicit QtTimeSyncService(TimeSyncService& fallback, QObject* parent = nullptr);

    void Ask(Answer answer) override;

private:
    TimeSyncService& fallback_;
};

}  // namespace quicktock
