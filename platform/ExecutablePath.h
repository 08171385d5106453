#pragma once

#include <string>

namespace quicktock {

// The running program's own executable, for the settings file beside it: its real, full path,
// never taken from the command line, the working folder or the environment. Empty when the
// system cannot tell.
std::string ExecutablePath();

}  // namespace quicktock
