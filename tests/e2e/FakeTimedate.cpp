// The time and date service as the program sees it on the system bus, for a private bus:
// its NTP property answers what the command line says ("1" on, anything else off).

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <cstdio>

class Timedate final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
    Q_PROPERTY(bool NTP READ ntp)

public:
    explicit Timedate(bool ntp) : ntp_(ntp) {}
    bool ntp() const { return ntp_; }

private:
    bool ntp_;
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    Timedate timedate(argc > 1 && QByteArray(argv[1]) == "1");
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.registerObject("/org/freedesktop/timedate1", &timedate,
                            QDBusConnection::ExportAllProperties) ||
        !bus.registerService("org.freedesktop.timedate1")) {
        std::fprintf(stderr, "fake_timedate: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::puts("ready");  // the name is owned: the program may ask
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "FakeTimedate.moc"
