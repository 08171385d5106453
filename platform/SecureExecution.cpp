#include "platform/SecureExecution.h"

#include <array>

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

}  // namespace quicktock
