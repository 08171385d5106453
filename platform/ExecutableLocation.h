#pragma once

#include <string>

namespace quicktock {

// Where the running program's own executable lies, for the settings file beside it.
class ExecutableLocation {
public:
    virtual ~ExecutableLocation() = default;

    // The executable's real, full path: never taken from the command line, the working folder
    // or the environment.
    virtual std::string Path() const = 0;
    virtual char FolderSeparator() const = 0;
};

}  // namespace quicktock
