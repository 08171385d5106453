#pragma once

#include <string>

#include "engine/EngineFailure.h"

namespace quicktock {

// The message that tells the user why a tick or command failed, in English or Japanese. A
// refusal to set the clock names its remedy; giving the capability names the program by
// programPath, quoted so that the command can be pasted into a shell as it stands.
std::string ComposeMessage(const EngineFailure& failure, bool japanese,
                           const std::string& programPath);

}  // namespace quicktock
