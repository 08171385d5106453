#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quicktock {

// One question to systemd's time and date service, asked over the system bus without any bus
// library, so that it can be given up at any moment: whether the service keeps the clock in step
// (its NTP property).

// A Unix socket a bus listens on: a path, or a name in the abstract namespace.
struct BusSocket {
    std::string name;
    bool abstract = false;

    friend bool operator==(const BusSocket&, const BusSocket&) = default;
};

// The first Unix socket of a bus address ("unix:path=/run/dbus/system_bus_socket", entries
// separated by ';', values %-escaped); nothing when it names none.
std::optional<BusSocket> BusSocketOf(std::string_view address);

// What a client sends from the start of the connection, without waiting for replies: the
// authentication as the user with this id, then Hello and the question.
std::string NtpQuestion(unsigned userId);

// What the bytes received so far say: not yet enough, the answer, or that none will come.
enum class NtpReply { Incomplete, On, Off, Failed };
NtpReply ReadNtpReply(std::string_view received);

// Asks the bus at the socket and waits for its answer, at most timeoutMs and only while nothing
// can be read from cancelFd; nothing when it does not answer in time, refuses, or is cancelled.
std::optional<bool> AskNtp(const BusSocket& socket, int cancelFd, int timeoutMs);

}  // namespace quicktock
