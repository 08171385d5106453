#include "platform/SecureExecution_posix.h"

#include <sys/auxv.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace quicktock {

bool KeptInSecureExecution(std::string_view name) {
    static constexpr std::array<std::string_view, 14> kKept = {
        "DISPLAY",
        "XAUTHORITY",
        "WAYLAND_DISPLAY",
        "XDG_RUNTIME_DIR",
        "HOME",
        "XDG_CONFIG_HOME",
        "LANG",
        "LANGUAGE",
        "TZ",
        "QT_SCALE_FACTOR",
        "QT_SCREEN_SCALE_FACTORS",
        "QT_AUTO_SCREEN_SCALE_FACTOR",
        "QT_ENABLE_HIGHDPI_SCALING",
        "QT_SCALE_FACTOR_ROUNDING_POLICY",
    };
    if (name.starts_with("LC_")) {
        return true;
    }
    for (const std::string_view kept : kKept) {
        if (name == kept) {
            return true;
        }
    }
    return false;
}

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
