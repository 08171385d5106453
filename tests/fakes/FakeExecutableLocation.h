#pragma once

#include <string>
#include <utility>

#include "platform/ExecutableLocation.h"

namespace quicktock {

class FakeExecutableLocation final : public ExecutableLocation {
public:
    explicit FakeExecutableLocation(std::string path, char separator = '/')
        : path_(std::move(path)), separator_(separator) {}
    std::string Path() const override { return path_; }
    char FolderSeparator() const override { return separator_; }

private:
    std::string path_;
    char separator_;
};

}  // namespace quicktock
