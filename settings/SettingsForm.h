#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/FormControls.h"

namespace quicktock {

// The window's outer frame on the screen as a settings file holds it: in twips, single precision.
// A key the file lacks is empty, and that edge keeps its laid-out value.
struct SavedFrame {
    std::optional<float> left;
    std::optional<float> top;
    std::optional<float> width;
    std::optional<float> height;

    bool Any() const { return left || top || width || height; }
};

// What the saved settings read from and restore to the window.
class SettingsForm {
public:
    virtual ~SettingsForm() = default;

    // The window's frame now, every edge given.
    virtual SavedFrame WindowFrame() const = 0;
    // The keys of the frame that the file holds, for the window to show with.
    virtual void RestoreFrame(const SavedFrame& frame) = 0;
    virtual std::string BoxText(Box box) const = 0;
    virtual void SetBoxText(Box box, const std::string& text) = 0;
    virtual std::int16_t CheckValue(Check box) const = 0;
    // Raises the box's Click, inside this call, when the value changes.
    virtual void SetCheckValue(Check box, std::int16_t value) = 0;
};

}  // namespace quicktock
