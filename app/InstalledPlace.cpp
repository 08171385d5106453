#include "app/InstalledPlace.h"

namespace quicktock {

// The only value in which the program and its packaged copy differ, given by the build.
const char* InstalledProgramFolder() {
    return QUICKTOCK_INSTALLED_FOLDER;
}

}  // namespace quicktock
