#include "platform/qt/QtTimeSyncService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <utility>

namespace quicktock {
namespace {

// The first call may have to start the service on the bus; the window never waits for it.
constexpr int kReplyTimeoutMs = 5000;

}  // namespace

QtTimeSyncService::QtTimeSyncService(TimeSyncService& fallback, QObject* parent)
    : QObject(parent), fallback_(fallback) {}

void QtTimeSyncService::Ask(Answer answer) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        fallback_.Ask(std::move(answer));
        return;
    }
    QDBusMessage get =
        QDBusMessage::createMethodCall("org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                                       "org.freedesktop.DBus.Properties", "Get");
    get << QStringLiteral("org.freedesktop.timedate1") << QStringLiteral("NTP");
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(get, kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, answer = std::move(answer)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *finished;
                if (reply.isError()) {
                    fallback_.Ask(answer);
                    return;
                }
                if (!reply.value().variant().toBool()) {
                    answer({TimeSyncStatus::State::Inactive, "", TimeSyncStatus::Remedy::SetNtp});
                    return;
                }
                // The service says only that some daemon keeps time; the processes may say which.
                fallback_.Ask([answer](const TimeSyncStatus& found) {
                    const bool named = found.state == TimeSyncStatus::State::Active;
                    answer({TimeSyncStatus::State::Active, named ? found.service : "",
                            TimeSyncStatus::Remedy::SetNtp});
                });
            });
}

}  // namespace quicktock
