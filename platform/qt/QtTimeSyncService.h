#pragma once

#include <QObject>
#include <map>
#include <optional>
#include <thread>

#include "window/TimeSyncService.h"

namespace quicktock {

// Asks systemd's time and date service over the system bus whether it keeps the clock in step
// (its NTP property). The question runs on a thread of its own with a deadline, so a bus that
// never answers holds up neither the window nor the end of the program. Where the service does
// not answer in time, the fallback decides; where it answers yes, the fallback may still name the
// service that runs.
class QtTimeSyncService final : public QObject, public TimeSyncService {
public:
    explicit QtTimeSyncService(TimeSyncService& fallback, QObject* parent = nullptr);
    // Gives up the questions still out; their threads end at once.
    ~QtTimeSyncService() override;

    void Ask(Answer answer) override;

private:
    struct Question {
        std::thread thread;
        Answer answer;
    };
    void Answered(int id, std::optional<bool> ntp);

    TimeSyncService& fallback_;
    int cancel_[2] = {-1, -1};  // a pipe: written to once, when the service goes away
    std::map<int, Question> questions_;
    int nextId_ = 0;
};

}  // namespace quicktock
