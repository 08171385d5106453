#pragma once

#include <cstdint>
#include <string>

#include "engine/FormControls.h"

namespace quicktock {

struct EngineFailure;

// The controls the clock engine reads and writes. The window implements this; the engine reads
// the current values each time it needs them and never caches them.
class EngineView {
public:
    virtual ~EngineView() = default;

    // 0 unchecked, 1 checked, 2 greyed.
    virtual std::int16_t CheckValue(Check box) const = 0;
    virtual std::string BoxText(Box box) const = 0;
    virtual bool IsMinimised() const = 0;

    virtual void SetLabel(Label label, const std::string& caption) = 0;
    virtual void SetWindowCaption(const std::string& caption) = 0;
    virtual void SetButtonEnabled(Button button, bool enabled) = 0;

    // Tells the user that a command or tick could not be carried out, and why.
    virtual void ShowFailure(const EngineFailure& failure) = 0;
};

}  // namespace quicktock
