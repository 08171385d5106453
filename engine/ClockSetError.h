#pragma once

#include <stdexcept>
#include <string>

namespace quicktock {

// The system refused to set the clock; what() says what failed and how to grant the right.
class ClockSetError : public std::runtime_error {
public:
    explicit ClockSetError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace quicktock
