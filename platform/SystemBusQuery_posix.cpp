#include "platform/SystemBusQuery.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace quicktock {
namespace {

struct FileDescriptor {
    int fd;
    explicit FileDescriptor(int opened) : fd(opened) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

std::optional<bool> AskNtp(const BusSocket& socket, int cancelFd, int timeoutMs) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = socket.abstract ? 1 : 0;  // an abstract name follows a zero byte
    if (offset + socket.name.size() >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path + offset, socket.name.data(), socket.name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               socket.name.size() + (socket.abstract ? 0 : 1));

    // The deadline is kept by the kernel: nothing here reads a clock.
    const FileDescriptor deadline(::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC));
    itimerspec after{};
    after.it_value = {timeoutMs / 1000, (timeoutMs % 1000) * 1'000'000L};
    const FileDescriptor bus(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (deadline.fd < 0 || bus.fd < 0 || ::timerfd_settime(deadline.fd, 0, &after, nullptr) != 0 ||
        ::connect(bus.fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        return std::nullopt;
    }

    const std::string question = NtpQuestion(::geteuid());
    std::size_t sent = 0;
    std::string received;
    for (;;) {
        const auto writing = static_cast<short>(sent < question.size() ? POLLOUT : 0);
        pollfd polled[] = {{bus.fd, static_cast<short>(POLLIN | writing), 0},
                           {cancelFd, POLLIN, 0},
                           {deadline.fd, POLLIN, 0}};
        if (::poll(polled, 3, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (polled[1].revents != 0 || polled[2].revents != 0) {
            return std::nullopt;  // cancelled, or too late
        }
        if ((polled[0].revents & POLLOUT) != 0) {
            const ssize_t n =
                ::send(bus.fd, question.data() + sent, question.size() - sent, MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return std::nullopt;
            }
            sent += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        if ((polled[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            char buffer[4096];
            const ssize_t n = ::recv(bus.fd, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                return std::nullopt;
            }
            received.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
            switch (ReadNtpReply(received)) {
                case NtpReply::On:
                    return true;
                case NtpReply::Off:
                    return false;
                case NtpReply::Failed:
                    return std::nullopt;
                case NtpReply::Incomplete:
                    break;
            }
        }
    }
}

}  // namespace quicktock
