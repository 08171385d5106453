#pragma once

namespace quicktock {

// The folder this copy of the program is installed in by the build it came from: the bin folder
// of that build's install prefix (/usr/local/bin from source, /usr/bin from the Debian package).
const char* InstalledProgramFolder();

}  // namespace quicktock
