// The time and date service, run by dbus-run-session on a private bus that stands in for the
// system bus: its NTP property is on when argv[1] is "1". Prints the bus's address when ready.

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>

class Timedate final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
    Q_PROPERTY(bool NTP MEMBER ntp CONSTANT)

public:
    bool ntp = false;
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    Timedate timedate;
    timedate.ntp = argc > 1 && QByteArray(argv[1]) == "1";
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.registerObject("/org/freedesktop/timedate1", &timedate,
                           QDBusConnection::ExportAllProperties) &&
        bus.registerService("org.freedesktop.timedate1")) {
        std::puts(qgetenv("DBUS_SESSION_BUS_ADDRESS").constData());
        std::fflush(stdout);
    }
    return QCoreApplication::exec();
}

#include "FakeTimedate.moc"
