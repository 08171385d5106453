#include "platform/OsProfileFunctions.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

#include "platform/FileDescriptor_posix.h"
#include "settings/IniText.h"
#include "settings/TextEncoding.h"

namespace quicktock {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr int kMaxLinkHops = 40;
// Far beyond any settings file; a larger file (a sparse one, say) is not read, so that it cannot
// exhaust memory: reads give the default and saves fail. No save makes a file larger, or every
// later start would read the defaults.
constexpr std::size_t kMaxFileSize = 64 << 20;
constexpr int kMaxTemporaryNames = 100;

enum class FileState { Read, Missing, Unreadable };

// Reads a whole regular file of at most kMaxFileSize bytes. Anything else at the path (a folder,
// a device, a pipe) counts as unreadable, so a hostile settings path can neither block a read nor
// feed it endless bytes.
FileState ReadRegularFile(const std::string& path, std::string& bytes, struct stat& info) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) {
        return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
    }
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > kMaxFileSize) {
        return FileState::Unreadable;
    }
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(file.Get(), chunk, sizeof chunk);
        if (count == 0) {
            return FileState::Read;
        }
        if (count < 0 && errno != EINTR) {
            return FileState::Unreadable;
        }
        if (count > 0) {
            bytes.append(chunk, static_cast<std::size_t>(count));
            if (bytes.size() > kMaxFileSize) {
                return FileState::Unreadable;  // it grew while being read
            }
        }
    }
}

// A settings file's text in UTF-8, and the form the file keeps it in, so a save writes it back
// the same way. A save refuses a foreign file, which it could not write back as it was: one in
// UTF-16BE, which is not read here, or one in UTF-16LE with a lone surrogate or an odd last byte.
struct SettingsText {
    enum class Form { Utf8, Utf8WithMark, Utf16Le, Foreign };
    Form form = Form::Utf8;
    std::string text;
};

SettingsText Decode(std::string&& bytes) {
    const std::string_view view = bytes;
    if (view.starts_with(kUtf16LeMark)) {
        const std::string_view units = view.substr(kUtf16LeMark.size());
        SettingsText settings{
            IsWholeUtf16Le(units) ? SettingsText::Form::Utf16Le : SettingsText::Form::Foreign,
            Utf16LeToUtf8(units)};
        std::string().swap(bytes);  // not held while a save makes the new text
        return settings;
    }
    if (view.starts_with(kUtf16BeMark)) {
        return {SettingsText::Form::Foreign, std::move(bytes)};
    }
    // Editors on Windows often save UTF-8 with a mark; it is no part of the first line.
    if (view.starts_with(kUtf8Mark)) {
        bytes.erase(0, kUtf8Mark.size());
        return {SettingsText::Form::Utf8WithMark, std::move(bytes)};
    }
    return {SettingsText::Form::Utf8, std::move(bytes)};
}

std::string_view MarkOf(SettingsText::Form form) {
    return form == SettingsText::Form::Utf16Le        ? kUtf16LeMark
           : form == SettingsText::Form::Utf8WithMark ? kUtf8Mark
                                                      : std::string_view();
}

// The file's bytes after its mark; the text is given up, so that it is not held twice.
std::string EncodeAfterMark(SettingsText&& settings) {
    std::string text = std::move(settings.text);
    return settings.form == SettingsText::Form::Utf16Le ? Utf8ToUtf16Le(text) : std::move(text);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether a save may follow this link. In a folder where anyone may create files but only their
// owners remove them (the shared temporary folder), another user's link could point a save at
// any file of this user: only a link of the user's own or of the folder's owner is followed, as
// the kernel protects the links it follows there, whether or not that protection is switched on.
bool MayFollow(const std::string& link, const struct stat& linkInfo) {
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0) {
        return false;
    }
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

// The file a save replaces: the settings path itself, or the end of its chain of symbolic links,
// so that the link stays and its target receives the new text. Nothing for a loop of links or
// one that may not be followed.
std::optional<std::string> ResolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;  // a missing file is created; other faults show when it is read
        }
        if (!MayFollow(path, info)) {
            return std::nullopt;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
            return std::nullopt;
        }
        std::string next(target, static_cast<std::size_t>(length));
        if (next.front() != '/' && path.find('/') != std::string::npos) {
            next = FolderOf(path) + "/" + next;
        }
        path = std::move(next);
    }
    return std::nullopt;
}

// Writes every byte; false when the system refuses one, as on a full disk.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno != EINTR) {
            return false;
        }
        if (count > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(count));
        }
    }
    return true;
}

// Makes a finished rename survive a power cut. A folder that cannot be synced still holds the
// complete new file, so a failure here is not reported.
void SyncFolder(const std::string& path) {
    FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        ::fsync(folder.Get());
    }
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A save writes its new text to "<settings file>.tmp-<process>-<n>" beside the settings file
// and holds a lock on that file until it is renamed or removed. Two copies of the program may
// save to one file at once; a save that was killed leaves its file unlocked behind.
std::string TemporaryPrefixOf(const std::string& target) {
    return BaseNameOf(target) + ".tmp-";
}

// Whether name still names the file open as fd (a cleaner may have removed it meanwhile).
bool StillNamed(int folder, const char* name, int fd) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Whether name is "<prefix><digits>-<digits>", as CreateLockedTemporary names its files.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return false;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string_view::npos && digits(name.substr(0, dash)) &&
           digits(name.substr(dash + 1));
}

// Removes the temporary files that killed saves left beside target: regular files of exactly
// their names. A file that can be locked has no live writer: a writer locks its file right after
// creating it and, should a cleaner have locked and removed it in that instant, notices and takes
// another name.
void RemoveStaleTemporaries(const std::string& target) {
    DIR* folder = ::opendir(FolderOf(target).c_str());
    if (folder == nullptr) {
        return;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(folder, ::closedir);
    const std::string prefix = TemporaryPrefixOf(target);
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTemporaryName(entry->d_name, prefix)) {
            continue;
        }
        FileDescriptor file(::openat(::dirfd(folder), entry->d_name,
                                     O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
        struct stat info {};
        if (file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 &&
            StillNamed(::dirfd(folder), entry->d_name, file.Get())) {
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        }
    }
}

// Creates a new file beside target under a free temporary name and locks it; -1 on failure.
int CreateLockedTemporary(const std::string& target, mode_t mode, std::string& temporary) {
    for (int attempt = 0; attempt < kMaxTemporaryNames; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno != EEXIST) {
                return -1;
            }
            continue;
        }
        if (::flock(fd, LOCK_EX) == 0 && StillNamed(AT_FDCWD, temporary.c_str(), fd)) {
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

// Writes mark and bytes to a new file beside target and renames it over target. Until the rename
// the old file is untouched; on any failure the new file is removed again. The new file takes the
// old one's permissions and, where this process may give it away, its owner.
bool ReplaceFile(const std::string& target, std::string_view mark, std::string_view bytes,
                 const struct stat* old) {
    RemoveStaleTemporaries(target);
    std::string temporary;
    // A private mode first, so that a private settings file is never readable by others, not
    // even for a moment; a new file gets the usual mode less the umask.
    const int fd = CreateLockedTemporary(target, old != nullptr ? 0600 : 0666, temporary);
    if (fd < 0) {
        return false;
    }
    FileDescriptor file(fd);
    bool ok = true;
    if (old != nullptr) {
        // Only a privileged process may give the new file the old one's owner. For anyone else
        // it stays their own: nothing changes for the user's own file, and another user's file
        // that the user may write to becomes the user's, which is no reason to refuse the save.
        std::ignore = ::fchown(fd, old->st_uid, old->st_gid);
        ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(fd, mark) && WriteAll(fd, bytes) && ::fsync(fd) == 0 &&
         ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());  // while still locked, so no cleaner takes it for stale
    }
    file.Close();  // releases the lock only now; fsync has already reported any lost write
    if (ok) {
        SyncFolder(target);
    }
    return ok;
}

// Whether a save may replace the existing file: the user could write to it in place. A file
// without any write permission counts as read-only even for the superuser, as a read-only
// attribute does on Windows.
bool MayReplace(const std::string& target, const struct stat& info) {
    return (info.st_mode & 0222) != 0 &&
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::size_t OsProfileFunctions::ReadValue(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, char* buffer,
                                          std::size_t size, const std::string& fileName) {
    std::string bytes;
    struct stat info {};
    SettingsText settings;
    std::optional<std::string_view> value;
    if (ReadRegularFile(fileName, bytes, info) == FileState::Read) {
        settings = Decode(std::move(bytes));
        value = FindIniValue(settings.text, section, key);
    }
    return CopyWholeCharacters(value.value_or(WithoutTrailingBlanks(defaultValue)), buffer, size);
}

bool OsProfileFunctions::WriteValue(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& fileName) {
    if (fileName.empty() || !CanStoreIniEntry(section, key, value)) {
        return false;
    }
    const std::optional<std::string> target = ResolveLinks(fileName);
    if (!target) {
        return false;
    }
    std::string bytes;
    struct stat info {};
    const FileState state = ReadRegularFile(*target, bytes, info);
    if (state == FileState::Unreadable ||
        (state == FileState::Read && !MayReplace(*target, info))) {
        return false;  // never replace a file whose text could not be kept, or a read-only one
    }
    SettingsText settings = Decode(std::move(bytes));
    const bool utf16 = settings.form == SettingsText::Form::Utf16Le;
    if (settings.form == SettingsText::Form::Foreign ||
        (utf16 && !(IsValidUtf8(section) && IsValidUtf8(key) && IsValidUtf8(value)))) {
        return false;  // the rest of the file, or the entry, would be stored changed
    }
    const std::string_view mark = MarkOf(settings.form);
    // In UTF-8 the new size is known before the new text is made; in UTF-16 before it is encoded.
    std::optional<std::string> changed =
        WithIniValue(settings.text, section, key, value,
                     utf16 ? static_cast<std::size_t>(-1) : kMaxFileSize - mark.size());
    if (!changed || (utf16 && mark.size() + Utf16LeSize(*changed) > kMaxFileSize)) {
        return false;
    }
    settings.text = std::move(*changed);
    return ReplaceFile(*target, mark, EncodeAfterMark(std::move(settings)),
                       state == FileState::Read ? &info : nullptr);
}

}  // namespace quicktock
