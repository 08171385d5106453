#pragma once

#include <compare>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/ClockDate.h"
#include "window/FormLayout.h"

namespace quicktock {

// What a control or a message must draw, and in which face it asks to draw it.
struct FaceRequest {
    std::string named;               // the face the window gives it
    std::vector<std::string> texts;  // every text it may show in that face
    double maxWidthTwips = 0;        // each text on one line within this width; 0: any width
    bool fixedPitch = false;         // a fixed-pitch face is preferred

    friend auto operator<=>(const FaceRequest&, const FaceRequest&) = default;
};

// A label shows its caption whole on one line within its width; the date-time labels every date
// and time, written with each digit in turn, so the widest digit of a face is measured too. The
// number boxes show three digits within their width, less what a realisation's frame takes.
FaceRequest FaceRequestFor(const Control& control, const DateTimeSeparators& separators);
// A message window draws its text in the face of the window's buttons.
FaceRequest FaceRequestFor(const std::string& messageText, const ControlFont& font);

struct InstalledFace {
    std::string name;
    bool fixedPitch = false;
};

// The width in twips of a text drawn in a face at the size of the request's font, or nothing when
// the face is not installed or lacks a glyph of the text.
using MeasureText =
    std::function<std::optional<double>(const std::string& face, const std::string& text)>;

// The face to draw in: the named face when it draws every text (within the width); otherwise the
// first installed face that does, in the order the realisation lists them (the system's own face
// first), fixed-pitch faces first where the request prefers them; the named face when none does.
// Only the named face and the faces tried before the chosen one are measured.
std::string ChooseFace(const FaceRequest& request, const std::vector<InstalledFace>& installed,
                       const MeasureText& measure);

}  // namespace quicktock
