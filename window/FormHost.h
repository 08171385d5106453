#pragma once

#include <string>

#include "settings/SettingsForm.h"
#include "window/FormLayout.h"

namespace quicktock {

// What the window model needs from the toolkit that shows it.
class FormHost {
public:
    virtual ~FormHost() = default;

    // A control's caption, text, font, enabled state or value changed in the model.
    virtual void ControlChanged(ControlId id) = 0;
    virtual void SetWindowCaption(const std::string& caption) = 0;
    virtual bool IsMinimised() const = 0;

    // Whether the control has the keyboard focus; and moving the focus to it. The model asks only
    // while the window is active.
    virtual bool HasFocus(ControlId id) const = 0;
    virtual void SetFocus(ControlId id) = 0;

    // The window's outer frame on the screen, in twips, once the window is shown. The frame it
    // first shows with is the model's to decide (Form1::RestoredFrame, DecideStartFrame).
    virtual SavedFrame WindowFrame() const = 0;

    // Tells the user of a failure in a message window with this title, without blocking the
    // window's events. The host reports the message window's closing through
    // Form1::MessageClosed(message).
    virtual void ShowMessage(int message, const std::string& title, const std::string& text) = 0;

    // Tells the user of a failure that escaped a handler, with this title, and ends the program at
    // once with a failure status; no tick or click runs meanwhile.
    virtual void EndWithFailure(const std::string& title, const std::string& text) = 0;

    // The window goes away and the program ends; no further tick runs.
    virtual void EndProgram() = 0;
};

}  // namespace quicktock
