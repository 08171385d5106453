#pragma once

#include <string_view>

namespace quicktock {

// Secure execution: the kernel started the program with a right that its user lacks, such as the
// file capability that lets it set the clock. Its environment and command line then come from a
// user who does not hold that right and must not decide what code the program loads.

// Whether a variable of the environment is kept in secure execution: the display and its scale,
// the language and time zone, and the user's own folders; nothing that names plug-ins, libraries,
// styles or other files for the toolkit to load.
bool KeptInSecureExecution(std::string_view name);

// Whether the kernel started this process in secure execution.
bool InSecureExecution();

// Empties the environment but for the variables kept in secure execution.
void KeepOnlyTrustedEnvironment();

}  // namespace quicktock
