#pragma once

#include <QFont>

#include "window/FormLayout.h"

namespace quicktock {

// Maps the window's Windows face names to installed fonts with Japanese glyphs, so that a control
// keeps the face name it was given and its text still shows (and is not clipped): the
// fixed-pitch face to IPAGothic, the proportional ones to IPAPGothic.
void InstallFontSubstitutes();

// The Qt font for a face, size and weight. Qt has no character sets; the face decides the glyphs.
QFont ToQFont(const FontSpec& given);

}  // namespace quicktock
