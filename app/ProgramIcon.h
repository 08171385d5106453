#pragma once

#include <QIcon>

namespace quicktock {

// The program's icon at 16 and 32 pixels, from pixels compiled into the program: no image
// decoder is loaded to show it.
QIcon ProgramIcon();

}  // namespace quicktock
