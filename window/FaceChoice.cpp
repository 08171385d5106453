#include "window/FaceChoice.h"

#include <string_view>

namespace quicktock {

namespace {

// The pattern written with each digit in turn for its 9s, so the widest digit of a face counts.
std::vector<std::string> EachDigit(std::string_view pattern, const DateTimeSeparators& separators) {
    std::vector<std::string> texts;
    for (char digit = '0'; digit <= '9'; ++digit) {
        std::string text;
        for (const char c : pattern) {
            text += c == '/'   ? separators.date
                    : c == ':' ? separators.time
                    : c == '9' ? std::string(1, digit)
                               : std::string(1, c);
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

FaceRequest FaceRequestFor(const Control& control, const DateTimeSeparators& separators) {
    const double width = control.rect.width;
    if (control.id == ControlId::lblPresentTime || control.id == ControlId::lblEstimateTime) {
        return {control.font.face, EachDigit("9999/99/99 99:99:99", separators), width, true};
    }
    switch (control.kind) {
        case ControlKind::Label:
            return {control.font.face, {control.caption}, width};
        case ControlKind::TextBox:
            return {control.font.face, EachDigit("999", separators), width};
        default:
            return {control.font.face, {control.caption}};
    }
}

FaceRequest FaceRequestFor(const std::string& messageText, const ControlFont& font) {
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
