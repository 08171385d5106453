#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

// Stops the fuzzer where a property does not hold; its stack trace names the line.
inline void FuzzCheck(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// This process's folder for settings files, in memory where possible (saves sync their files).
inline const std::string& FuzzFolder() {
    static const struct Folder {
        Folder() {
            path = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
            path = ::mkdtemp((path + "/quicktock-fuzz-XXXXXX").data());
        }
        ~Folder() { std::filesystem::remove_all(path); }
        std::string path;
    } folder;
    return folder.path;
}
