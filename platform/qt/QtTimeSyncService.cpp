#include "platform/qt/QtTimeSyncService.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <utility>

#include "platform/SystemBusQuery_posix.h"

namespace quicktock {
namespace {

constexpr const char* kSystemBus = "unix:path=/var/run/dbus/system_bus_socket";
// The question may have to start the service on the bus; the window never waits for it.
constexpr int kReplyTimeoutMs = 5000;

}  // namespace

QtTimeSyncService::QtTimeSyncService(TimeSyncService& fallback, QObject* parent)
    : QObject(parent), fallback_(fallback) {
    if (::pipe2(cancel_, O_CLOEXEC) != 0) {
        cancel_[0] = cancel_[1] = -1;
    }
}

QtTimeSyncService::~QtTimeSyncService() {
    if (cancel_[1] >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(cancel_[1], "x", 1);
    }
    for (auto& [id, question] : questions_) {
        question.thread.join();
    }
    for (const int fd : cancel_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void QtTimeSyncService::Ask(Answer answer) {
    // The bus that libdbus would use: the environment's, else the system's own socket.
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    const std::optional<BusSocket> socket =
        BusSocketOf(address != nullptr && *address != '\0' ? address : kSystemBus);
    if (!socket || cancel_[0] < 0) {
        fallback_.Ask(std::move(answer));
        return;
    }
    const int id = nextId_++;
    Question& question = questions_[id];
    question.answer = std::move(answer);
    try {
        question.thread = std::thread([this, id, socket = *socket, cancel = cancel_[0]] {
            const std::optional<bool> ntp = AskNtp(socket, cancel, kReplyTimeoutMs);
            QMetaObject::invokeMethod(
                this, [this, id, ntp] { Answered(id, ntp); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        Answer unasked = std::move(question.answer);
        questions_.erase(id);
        fallback_.Ask(std::move(unasked));
    }
}

void QtTimeSyncService::Answered(int id, std::optional<bool> ntp) {
    const auto question = questions_.find(id);
    question->second.thread.join();  // it has nothing left to do
    const Answer answer = std::move(question->second.answer);
    questions_.erase(question);
    if (!ntp) {
        fallback_.Ask(answer);
        return;
    }
    if (!*ntp) {
        answer({TimeSyncStatus::State::Inactive, "", TimeSyncStatus::Remedy::SetNtp});
        return;
    }
    // The service says only that some daemon keeps time; the processes may say which.
    fallback_.Ask([answer](const TimeSyncStatus& found) {
        const bool named = found.state == TimeSyncStatus::State::Active;
        answer({TimeSyncStatus::State::Active, named ? found.service : "",
                TimeSyncStatus::Remedy::SetNtp});
    });
}

}  // namespace quicktock
