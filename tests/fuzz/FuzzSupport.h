#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

// Stops the fuzzer with a message when a property of the code under test does not hold.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// A folder of this fuzzing process for settings files, in memory where the system offers it
// (saves sync their files), removed when the process ends.
inline const std::string& FuzzFolder() {
    static const struct Folder {
        Folder() {
            std::string name = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
            name += "/quicktock-fuzz-XXXXXX";
            path = ::mkdtemp(name.data());
        }
        ~Folder() { std::filesystem::remove_all(path); }
        std::string path;
    } folder;
    return folder.path;
}
