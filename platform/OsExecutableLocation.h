#pragma once

#include "platform/ExecutableLocation.h"

namespace quicktock {

class OsExecutableLocation final : public ExecutableLocation {
public:
    std::string Path() const override;
    char FolderSeparator() const override;
};

}  // namespace quicktock
