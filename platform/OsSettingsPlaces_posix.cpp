#include "platform/OsSettingsPlaces_posix.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/SecureExecution_posix.h"

namespace quicktock {

bool OsSettingsPlaces::FileExists(const std::string& path) const {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// The same folder under any name: /bin may be a link to /usr/bin.
bool OsSettingsPlaces::IsInstalledFolder(const std::string& folder) const {
    struct stat installed {};
    struct stat given {};
    return ::stat(installedFolder_.c_str(), &installed) == 0 &&
           ::stat(folder.c_str(), &given) == 0 && installed.st_dev == given.st_dev &&
           installed.st_ino == given.st_ino;
}

bool OsSettingsPlaces::FolderWritable(const std::string& folder) const {
    // access() answers for the real user, whatever rights the program was granted.
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A folder on the way that exists already answers EEXIST. Any other failure ends the attempt and
// is not reported: the settings file in the folder then reads as missing and its save fails, as
// in any folder the user may not write to.
void OsSettingsPlaces::CreatePrivateFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        if ((::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) ||
            slash == std::string::npos) {
            return;
        }
    }
}

std::optional<std::string> OsSettingsPlaces::Environment(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool OsSettingsPlaces::Privileged() const {
    return InSecureExecution();
}

std::string OsSettingsPlaces::RealUserHome() const {
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

}  // namespace quicktock
