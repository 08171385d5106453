#include "platform/SecureExecution.h"

#include <sys/auxv.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace quicktock {

bool InSecureExecution() {
    return ::getauxval(AT_SECURE) != 0;
}

void KeepOnlyTrustedEnvironment() {
    std::vector<std::pair<std::string, std::string>> kept;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string_view::npos && KeptInSecureExecution(text.substr(0, equals))) {
            kept.emplace_back(text.substr(0, equals), text.substr(equals + 1));
        }
    }
    ::clearenv();
    for (const auto& [name, value] : kept) {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
}

}  // namespace quicktock
