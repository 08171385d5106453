#include "window/FaceChoice.h"

#include <string_view>

namespace quicktock {

FaceRequest FaceRequestFor(const Control& control, const DateTimeSeparators& separators) {
    if (control.id != ControlId::lblPresentTime && control.id != ControlId::lblEstimateTime) {
        return {control.font.face, {control.caption}};
    }
    FaceRequest request{control.font.face, {}, control.rect.width, true};
    for (char digit = '0'; digit <= '9'; ++digit) {
        std::string text;
        for (const char c : std::string_view("9999/99/99 99:99:99")) {
            text += c == '/'   ? separators.date
                    : c == ':' ? separators.time
                    : c == '9' ? std::string(1, digit)
                               : std::string(1, c);
        }
        request.texts.push_back(text);
    }
    return request;
}

FaceRequest FaceRequestFor(const std::string& messageText, const FontSpec& font) {
    return {font.face, {messageText}};
}

std::string ChooseFace(const FaceRequest& request, const std::vector<InstalledFace>& installed,
                       const MeasureText& measure) {
    const auto draws = [&](const std::string& face) {
        for (const std::string& text : request.texts) {
            const std::optional<double> width = measure(face, text);
            if (!width || (request.maxWidthTwips > 0 && *width > request.maxWidthTwips)) {
                return false;
            }
        }
        return true;
    };
    if (draws(request.named)) {
        return request.named;
    }
    // Two rounds where fixed pitch is preferred: the fixed-pitch faces, then the others.
    for (const bool fixedPitchRound : {true, false}) {
        if (fixedPitchRound && !request.fixedPitch) {
            continue;
        }
        for (const InstalledFace& face : installed) {
            const bool inThisRound = !request.fixedPitch || face.fixedPitch == fixedPitchRound;
            if (inThisRound && face.name != request.named && draws(face.name)) {
                return face.name;
            }
        }
    }
    return request.named;
}

}  // namespace quicktock
