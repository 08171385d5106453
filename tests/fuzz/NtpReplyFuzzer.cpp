// What a system bus sends back is read by a process that may hold the right to set the clock: any
// bytes give an answer or "not yet" without reading past them, and once the bytes so far give an
// answer, more bytes never change it.
#include "platform/SystemBusQuery_posix.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quicktock;
    const std::string_view received(reinterpret_cast<const char*>(data), size);
    const NtpReply whole = ReadNtpReply(received);
    for (std::size_t cut = size / 2; cut < size; cut += 1 + size / 8) {
        const NtpReply part = ReadNtpReply(received.substr(0, cut));
        FuzzCheck(part == NtpReply::Incomplete || part == whole);
    }
    return 0;
}
