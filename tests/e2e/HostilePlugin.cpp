// What an unprivileged user might offer a program granted a capability: a file that Qt takes for
// the platform theme "hostile", which leaves "<its own path>.loaded" the moment it is loaded.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <QObject>
#include <QtPlugin>
#include <string>

class HostilePlugin : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformThemeFactoryInterface.5.1" FILE
                          "HostilePlugin.json")
};

__attribute__((constructor)) static void LeaveMarker() {
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&LeaveMarker), &self) != 0 && self.dli_fname != nullptr) {
        ::close(
            ::open((std::string(self.dli_fname) + ".loaded").c_str(), O_CREAT | O_WRONLY, 0644));
    }
}

#include "HostilePlugin.moc"
