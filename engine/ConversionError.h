#pragma once

#include <stdexcept>
#include <string>

namespace quicktock {

// A number or a date that cannot be used: it overflows a 16-bit integer, or a date leaves the
// years 100..9999. The command or tick that meets it is abandoned.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace quicktock
