#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "window/FaceChoice.h"
#include "window/FormLayout.h"

namespace quicktock {

// The faces a window has chosen so far, each for one request in one font, so that it measures a
// request once however often a control asks again: the date-time labels ask every second.
class FaceChoices {
public:
    // The face for the request in the font; choose gives it the first time it is asked for.
    const std::string& For(const FaceRequest& request, const ControlFont& font,
                           const std::function<std::string()>& choose);
    // Forgets every choice, as when the faces are measured at another DPI.
    void Clear() { chosen_.clear(); }

private:
    std::map<std::pair<FaceRequest, ControlFont>, std::string> chosen_;
};

}  // namespace quicktock
