#pragma once

#include <cstdint>
#include <string>

#include "engine/FormControls.h"

namespace quicktock {

// What the saved settings read from and restore to the window.
class SettingsForm {
public:
    enum class FrameEdge { Left, Top, Width, Height };

    // The window's outer frame on the screen, in twips.
    struct Frame {
        float left = 0;
        float top = 0;
        float width = 0;
        float height = 0;
    };

    virtual ~SettingsForm() = default;

    virtual Frame WindowFrame() const = 0;
    // Restores one key of the frame; the keys the file does not hold keep their laid-out values.
    virtual void RestoreFrameEdge(FrameEdge edge, float twips) = 0;
    virtual std::string BoxText(Box box) const = 0;
    virtual void SetBoxText(Box box, const std::string& text) = 0;
    virtual std::int16_t CheckValue(Check box) const = 0;
    // Raises the box's Click, inside this call, when the value changes.
    virtual void SetCheckValue(Check box, std::int16_t value) = 0;
};

}  // namespace quicktock
