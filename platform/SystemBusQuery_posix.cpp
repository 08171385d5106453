#include "platform/SystemBusQuery_posix.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/FileDescriptor_posix.h"

namespace quicktock {
namespace {

constexpr std::uint32_t kHelloSerial = 1;
constexpr std::uint32_t kQuestionSerial = 2;
// Longer lines and messages are no answer to the question.
constexpr std::size_t kLongestLine = 512;
constexpr std::uint32_t kLongestMessage = 1 << 20;

// Message types and header fields of the bus protocol.
enum : std::uint8_t { kMethodCall = 1, kMethodReturn = 2, kError = 3 };
enum : std::uint8_t {
    kPath = 1,
    kInterface = 2,
    kMember = 3,
    kReplySerial = 5,
    kDestination = 6,
    kSignature = 8
};

std::size_t Aligned(std::size_t position, std::size_t alignment) {
    return (position + alignment - 1) / alignment * alignment;
}

// Writing a message in little-endian order; alignment counts from the message's start.
void Pad(std::string& out, std::size_t alignment) {
    out.resize(Aligned(out.size(), alignment), '\0');
}

void SetU32(std::string& out, std::size_t at, std::size_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void PutU32(std::string& out, std::size_t value) {
    Pad(out, 4);
    out.append(4, '\0');
    SetU32(out, out.size() - 4, value);
}

void PutString(std::string& out, std::string_view text) {
    PutU32(out, text.size());
    out.append(text);
    out += '\0';
}

void PutSignature(std::string& out, std::string_view signature) {
    out += static_cast<char>(signature.size());
    out.append(signature);
    out += '\0';
}

void PutField(std::string& out, std::uint8_t code, char type, std::string_view value) {
    Pad(out, 8);
    out += static_cast<char>(code);
    PutSignature(out, std::string_view(&type, 1));
    if (type == 'g') {
        PutSignature(out, value);
    } else {
        PutString(out, value);
    }
}

std::string MethodCall(std::uint32_t serial, std::string_view destination, std::string_view path,
                       std::string_view interface, std::string_view member,
                       const std::vector<std::string_view>& stringArguments) {
    std::string out = {'l', static_cast<char>(kMethodCall), 0, 1};
    PutU32(out, 0);  // the body's length, set below
    PutU32(out, serial);
    PutU32(out, 0);  // the header fields' length, set below
    PutField(out, kPath, 'o', path);
    PutField(out, kInterface, 's', interface);
    PutField(out, kMember, 's', member);
    PutField(out, kDestination, 's', destination);
    if (!stringArguments.empty()) {
        PutField(out, kSignature, 'g', std::string(stringArguments.size(), 's'));
    }
    SetU32(out, 12, out.size() - 16);
    Pad(out, 8);
    const std::size_t body = out.size();
    for (const std::string_view argument : stringArguments) {
        PutString(out, argument);
    }
    SetU32(out, 4, out.size() - body);
    return out;
}

// Reading a received message; any read past its end marks it broken.
struct MessageReader {
    std::string_view message;
    std::size_t position;
    bool bigEndian;
    bool broken = false;

    std::string_view Take(std::size_t count) {
        if (broken || count > message.size() - position) {
            broken = true;
            return {};
        }
        position += count;
        return message.substr(position - count, count);
    }
    void Align(std::size_t alignment) { Take(Aligned(position, alignment) - position); }
    std::uint8_t Byte() {
        const std::string_view b = Take(1);
        return b.empty() ? 0 : static_cast<std::uint8_t>(b[0]);
    }
    std::uint32_t U32() {
        Align(4);
        const std::string_view b = Take(4);
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < b.size(); ++i) {
            value |= std::uint32_t{static_cast<std::uint8_t>(b[i])}
                     << (8 * (bigEndian ? 3 - i : i));
        }
        return value;
    }
    std::string_view String() {
        const std::uint32_t length = U32();
        const std::string_view text = Take(length);
        Take(1);
        return text;
    }
    std::string_view Signature() {
        const std::string_view text = Take(Byte());
        Take(1);
        return text;
    }
};

std::optional<std::string> Unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        unsigned code = 0;
        for (std::size_t j = i + 1; j <= i + 2; ++j) {
            const char c = j < value.size() ? value[j] : '\0';
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            code = code * 16 + static_cast<unsigned>(digit);
        }
        out += static_cast<char>(code);
        i += 2;
    }
    return out;
}

}  // namespace

std::optional<BusSocket> BusSocketOf(std::string_view address) {
    while (!address.empty()) {
        const std::size_t end = address.find(';');
        std::string_view entry = address.substr(0, end);
        address = end == std::string_view::npos ? "" : address.substr(end + 1);
        if (!entry.starts_with("unix:")) {
            continue;
        }
        entry.remove_prefix(5);
        while (!entry.empty()) {
            const std::size_t comma = entry.find(',');
            const std::string_view pair = entry.substr(0, comma);
            entry = comma == std::string_view::npos ? "" : entry.substr(comma + 1);
            const bool path = pair.starts_with("path=");
            if (path || pair.starts_with("abstract=")) {
                const auto name = Unescaped(pair.substr(pair.find('=') + 1));
                if (name && !name->empty()) {
                    return BusSocket{*name, !path};
                }
            }
        }
    }
    return std::nullopt;
}

std::string NtpQuestion(unsigned userId) {
    // The user's id as decimal digits, each written as two hexadecimal digits.
    std::string question("\0AUTH EXTERNAL ", 15);
    for (const char digit : std::to_string(userId)) {
        question += "0123456789abcdef"[(digit >> 4) & 0xF];
        question += "0123456789abcdef"[digit & 0xF];
    }
    question += "\r\nBEGIN\r\n";
    question += MethodCall(kHelloSerial, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "Hello", {});
    question +=
        MethodCall(kQuestionSerial, "org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                   "org.freedesktop.DBus.Properties", "Get", {"org.freedesktop.timedate1", "NTP"});
    return question;
}

NtpReply ReadNtpReply(std::string_view received) {
    // A first line longer than kLongestLine is refused whether or not its end has come yet, so that
    // more bytes never turn a refusal into an answer.
    const std::size_t lineEnd = received.find("\r\n");
    if (lineEnd == std::string_view::npos) {
        return received.size() > kLongestLine ? NtpReply::Failed : NtpReply::Incomplete;
    }
    if (lineEnd >= kLongestLine) {
        return NtpReply::Failed;
    }
    if (!received.starts_with("OK ")) {
        return NtpReply::Failed;  // REJECTED or ERROR: the bus did not take the user
    }
    std::string_view rest = received.substr(lineEnd + 2);
    // Messages up to the reply to the question: the reply to Hello, signals.
    while (rest.size() >= 16) {
        if ((rest[0] != 'l' && rest[0] != 'B') || rest[3] != 1) {
            return NtpReply::Failed;
        }
        MessageReader header{rest, 4, rest[0] == 'B'};
        const std::uint32_t bodyLength = header.U32();
        header.U32();  // its serial
        const std::uint32_t fieldsLength = header.U32();
        if (bodyLength > kLongestMessage || fieldsLength > kLongestMessage) {
            return NtpReply::Failed;
        }
        const std::size_t bodyStart = Aligned(16 + fieldsLength, 8);
        if (rest.size() < bodyStart + bodyLength) {
            return NtpReply::Incomplete;
        }
        MessageReader fields{rest.substr(0, 16 + fieldsLength), 16, header.bigEndian};
        std::uint32_t replySerial = 0;
        std::string_view signature;
        while (!fields.broken && fields.position < fields.message.size()) {
            fields.Align(8);
            const std::uint8_t code = fields.Byte();
            const std::string_view type = fields.Signature();
            if (type == "u") {
                const std::uint32_t value = fields.U32();
                replySerial = code == kReplySerial ? value : replySerial;
            } else if (type == "s" || type == "o") {
                fields.String();
            } else if (type == "g") {
                const std::string_view value = fields.Signature();
                signature = code == kSignature ? value : signature;
            } else {
                return NtpReply::Failed;
            }
        }
        const auto kind = static_cast<std::uint8_t>(rest[1]);
        const bool reply = kind == kMethodReturn || kind == kError;
        if (fields.broken || (reply && kind == kError &&
                              (replySerial == kHelloSerial || replySerial == kQuestionSerial))) {
            return NtpReply::Failed;
        }
        if (reply && replySerial == kQuestionSerial) {
            MessageReader body{rest.substr(0, bodyStart + bodyLength), bodyStart, header.bigEndian};
            const bool boolean = signature == "v" && body.Signature() == "b";
            const std::uint32_t value = body.U32();
            if (!boolean || body.broken || value > 1) {
                return NtpReply::Failed;
            }
            return value == 1 ? NtpReply::On : NtpReply::Off;
        }
        rest.remove_prefix(bodyStart + bodyLength);
    }
    return NtpReply::Incomplete;
}

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
    if (deadline.Get() < 0 || bus.Get() < 0 ||
        ::timerfd_settime(deadline.Get(), 0, &after, nullptr) != 0 ||
        ::connect(bus.Get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        return std::nullopt;
    }

    const std::string question = NtpQuestion(::geteuid());
    std::size_t sent = 0;
    std::string received;
    for (;;) {
        const auto writing = static_cast<short>(sent < question.size() ? POLLOUT : 0);
        pollfd polled[] = {{bus.Get(), static_cast<short>(POLLIN | writing), 0},
                           {cancelFd, POLLIN, 0},
                           {deadline.Get(), POLLIN, 0}};
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
                ::send(bus.Get(), question.data() + sent, question.size() - sent, MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return std::nullopt;
            }
            sent += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        if ((polled[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            char buffer[4096];
            const ssize_t n = ::recv(bus.Get(), buffer, sizeof buffer, 0);
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
