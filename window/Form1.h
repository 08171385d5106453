#pragma once

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/ClockEngine.h"
#include "engine/EngineView.h"
#include "settings/IniFile.h"
#include "settings/SavedSettings.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsPath.h"
#include "window/FormHost.h"
#include "window/FormLayout.h"
#include "window/FrameRules.h"
#include "window/TimeSyncWarning.h"

namespace quicktock {

// The main window as a model, free of any toolkit: its controls and their state, the event
// rules, and the handlers of the nine bound events. A realisation shows it and forwards the
// user's clicks, typing and the timer to it.
class Form1 final : private EngineView, private SettingsForm {
public:
    struct Services {
        SystemClock& clock;
        IniFile& settingsFile;
        std::string executablePath;   // as it was at start-up: the file may be replaced since
        SettingsFiles settingsFiles;  // decided once at start-up: read at Load, written at Exit
        DateTimeSeparators dateTimeSeparators;
        std::string decimalSeparator;
        // Asked when acceleration starts whether a service will fight the clock; may be null.
        TimeSyncService* timeSync = nullptr;
    };

    Form1(FormHost& host, Services services);

    const Control& ControlAt(ControlId id) const { return controls_[static_cast<int>(id)]; }
    const ControlTable& Controls() const { return controls_; }
    const EngineState& State() const { return engine_.State(); }

    // The start-up handler: reset the clock state, apply the language, load the saved settings.
    void Load();
    // The timer's event.
    void TimerTick();
    // A click or the space bar on a button or check box; disabled and hidden controls ignore
    // it. A check box turns 0 into 1 and 1 into 0, a greyed box becomes checked, and then
    // raises its Click.
    void UserClick(ControlId id);
    // The user typed into a text box; no handler reacts.
    void UserEditText(ControlId id, const std::string& text);
    // Enter or Escape, pressed where the control with the focus does not take it. No button is the
    // window's default or cancel button, so neither clicks anything.
    enum class Key { Enter, Escape };
    void UserKey(Key) {}
    // The window lost the activation with the focus on this control, or on none of its controls;
    // and got it back: the focus returns to the control that had it, and at the first activation
    // goes to the first control in tab order.
    void WindowDeactivated(std::optional<ControlId> focus);
    void WindowActivated();
    // Sets a check box from code: a different value raises its Click at once, inside this call.
    void SetCheckValue(ControlId id, std::int16_t value);
    // A failure that escaped a handler, or the window's own code: the host tells the user, and the
    // program ends at once with a failure status, as the system's handling of an unhandled error
    // would end it. Every event's handler reaches it by itself.
    void Failed(const std::exception& failure);
    // The host closed the message window it opened as this message.
    void MessageClosed(int message);

    // The frame keys the settings restored at Load; the realisation applies
    // DecideStartFrame(RestoredFrame(), ...) when it first shows the window.
    const SavedFrame& RestoredFrame() const { return restoredFrame_; }

    std::string GetINIValue(const std::string& KEY, const std::string& Section,
                            const std::string& ININame) const;
    bool SetINIValue(const std::string& Value, const std::string& KEY, const std::string& Section,
                     const std::string& ININame);

private:
    // Runs one event's handler, and ends the program on a failure that escapes it. When a button
    // that had the focus disabled itself (">>" and ">" swap), the focus moves to the button just
    // enabled, so a keyboard user is never left without one.
    template <typename Handler>
    void Event(Handler&& handler);

    Control& Writable(ControlId id) { return controls_[static_cast<int>(id)]; }
    // The focus in the window, also while another window is active.
    bool HasFocus(ControlId id) const;
    void MoveFocus(ControlId id);
    void Click(ControlId id);
    void ApplyLanguage();
    void ShowMessage(const std::string& text);
    void Exit();

    void SetCaption(ControlId id, const std::string& caption);
    void SetFace(ControlId id, const std::string& face);
    void SetTooltip(ControlId id, const std::string& tooltip);

    // The controls as the clock engine and the saved settings see them.
    std::int16_t CheckValue(Check box) const override;
    void SetCheckValue(Check box, std::int16_t value) override;
    std::string BoxText(Box box) const override;
    void SetBoxText(Box box, const std::string& text) override;
    bool IsMinimised() const override;
    void SetLabel(Label label, const std::string& caption) override;
    void SetWindowCaption(const std::string& caption) override;
    void SetButtonEnabled(Button button, bool enabled) override;
    void ShowFailure(const EngineFailure& failure) override;
    SavedFrame WindowFrame() const override;
    void RestoreFrame(const SavedFrame& frame) override;

    FormHost& host_;
    Services services_;
    ControlTable controls_;
    ClockEngine engine_;
    SavedSettings savedSettings_;
    SavedFrame restoredFrame_;
    int eventDepth_ = 0;
    bool active_ = false;
    std::optional<ControlId> keptFocus_;  // while the window is not active
    bool focusLost_ = false;
    std::optional<ControlId> lastEnabled_;
    // Messages still open, by their numbers: the same failure, repeated every second, is shown
    // once.
    std::map<int, std::string> openMessages_;
    int lastMessage_ = 0;
    TimeSyncWarning timeSyncWarning_;
};

}  // namespace quicktock
