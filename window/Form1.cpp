#include "window/Form1.h"

#include <algorithm>
#include <utility>

#include "window/DisplayLanguage.h"
#include "window/Messages.h"
#include "window/TabOrder.h"

namespace quicktock {
namespace {

ControlId ControlOf(Check box) {
    const ControlId ids[] = {ControlId::chk10sec, ControlId::chkLessThanNow,
                             ControlId::chkUntilMinute, ControlId::chkLanguage};
    return ids[static_cast<int>(box)];
}

ControlId ControlOf(Box box) {
    return box == Box::txtPlaybackHour ? ControlId::txtPlaybackHour : ControlId::txtUntilMinutes;
}

}  // namespace

Form1::Form1(FormHost& host, Services services)
    : host_(host),
      services_(std::move(services)),
      controls_(LaidOutControls()),
      engine_(services_.clock, *this, services_.dateTimeSeparators),
      savedSettings_(services_.settingsFile, services_.decimalSeparator),
      keptFocus_(InitialFocus()),
      timeSyncWarning_(
          services_.timeSync, [this](const std::string& text) { ShowMessage(text); },
          ControlAt(ControlId::chkLanguage)) {}

template <typename Handler>
void Form1::Event(Handler&& handler) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    };
    {
        const Depth nested(eventDepth_);
        try {
            handler();
        } catch (const std::exception& failure) {
            Failed(failure);
        }
    }
    if (eventDepth_ > 0) {
        return;
    }
    if (focusLost_ && lastEnabled_ && ControlAt(*lastEnabled_).enabled) {
        MoveFocus(*lastEnabled_);
    }
    focusLost_ = false;
    lastEnabled_.reset();
}

void Form1::Load() {
    host_.SetWindowCaption(ClockEngine::kProgramName);  // until the first tick
    Event([this] {
        engine_.Reset();
        ApplyLanguage();
        savedSettings_.Load(*this, services_.settingsFiles.load);
    });
}

void Form1::TimerTick() {
    Event([this] { engine_.Tick(); });
}

void Form1::UserClick(ControlId id) {
    const Control& c = ControlAt(id);
    const bool clickable = c.kind == ControlKind::CheckBox || c.kind == ControlKind::CommandButton;
    if (!clickable || !c.visible || !c.enabled) {
        return;
    }
    Event([this, id] {
        if (ControlAt(id).kind == ControlKind::CheckBox) {
            Writable(id).value = ControlAt(id).value == 1 ? 0 : 1;
            host_.ControlChanged(id);
        }
        Click(id);
    });
}

void Form1::UserEditText(ControlId id, const std::string& text) {
    if (Writable(id).kind == ControlKind::TextBox) {
        Writable(id).caption = text;
    }
}

void Form1::SetCheckValue(ControlId id, std::int16_t value) {
    const Control& c = ControlAt(id);
    if (c.kind != ControlKind::CheckBox || value < 0 || value > 2 || c.value == value) {
        return;
    }
    Event([this, id, value] {
        Writable(id).value = value;
        host_.ControlChanged(id);
        Click(id);
    });
}

void Form1::WindowDeactivated(std::optional<ControlId> focus) {
    active_ = false;
    if (focus) {
        keptFocus_ = focus;
    }
}

void Form1::WindowActivated() {
    active_ = true;
    host_.SetFocus(*keptFocus_);
}

bool Form1::HasFocus(ControlId id) const {
    return active_ ? host_.HasFocus(id) : keptFocus_ == id;
}

void Form1::MoveFocus(ControlId id) {
    if (active_) {
        host_.SetFocus(id);
    } else {
        keptFocus_ = id;
    }
}

void Form1::Failed(const std::exception& failure) {
    host_.EndWithFailure(ClockEngine::kProgramName, failure.what());
}

void Form1::MessageClosed(int message) {
    openMessages_.erase(message);
}

void Form1::ShowMessage(const std::string& text) {
    if (std::any_of(openMessages_.begin(), openMessages_.end(),
                    [&](const auto& open) { return open.second == text; })) {
        return;
    }
    openMessages_[++lastMessage_] = text;
    host_.ShowMessage(lastMessage_, ClockEngine::kProgramName, text);
}

// The nine bound events; every other event has no handler.
void Form1::Click(ControlId id) {
    switch (id) {
        case ControlId::cmdPlayback:
            engine_.Playback();
            break;
        case ControlId::cmdAccel:
            engine_.Accelerate();
            timeSyncWarning_.AccelerationStarted();
            break;
        case ControlId::cmdNormal:
            engine_.Normal();
            break;
        case ControlId::cmdGotoEstimate:
            engine_.GotoEstimate();
            break;
        case ControlId::chkUntilMinute:
            engine_.MinuteLimit();
            break;
        case ControlId::cmdExit:
            Exit();
            break;
        case ControlId::chkLanguage:
            ApplyLanguage();
            break;
        default:
            break;
    }
}

// Brings the captions and face names of twelve controls into line with the language box.
void Form1::ApplyLanguage() {
    const DisplayLanguage& language = LanguageFor(ControlAt(ControlId::chkLanguage).value);
    const std::pair<ControlId, const char*> tooltips[] = {
        {ControlId::cmdPlayback, language.playbackTip},
        {ControlId::cmdAccel, language.accelTip},
        {ControlId::cmdNormal, language.normalTip},
        {ControlId::cmdGotoEstimate, language.gotoEstimateTip},
    };
    for (const auto& [id, tooltip] : tooltips) {
        SetTooltip(id, tooltip);
    }
    const std::pair<ControlId, const char*> captioned[] = {
        {ControlId::lblPresent, language.present},
        {ControlId::lblEstimate, language.estimate},
        {ControlId::cmdPlayback, "|<<"},
        {ControlId::cmdAccel, ">>"},
        {ControlId::cmdNormal, ">"},
        {ControlId::cmdGotoEstimate, ">>|"},
        {ControlId::cmdExit, "Exit"},
        {ControlId::chk10sec, language.tenSeconds},
    };
    for (const auto& [id, caption] : captioned) {
        SetCaption(id, caption);
        SetFace(id, language.face);
    }
    for (const ControlId id : {ControlId::chkLanguage, ControlId::chkLessThanNow,
                               ControlId::chkUntilMinute, ControlId::lblUntilMinute}) {
        SetFace(id, language.face);
    }
}

void Form1::Exit() {
    savedSettings_.Save(*this, services_.settingsFiles.save);
    host_.EndProgram();
}

std::string Form1::GetINIValue(const std::string& KEY, const std::string& Section,
                               const std::string& ININame) const {
    return services_.settingsFile.GetINIValue(KEY, Section, ININame);
}

bool Form1::SetINIValue(const std::string& Value, const std::string& KEY,
                        const std::string& Section, const std::string& ININame) {
    return services_.settingsFile.SetINIValue(Value, KEY, Section, ININame);
}

void Form1::SetCaption(ControlId id, const std::string& caption) {
    if (Writable(id).caption != caption) {
        Writable(id).caption = caption;
        host_.ControlChanged(id);
    }
}

void Form1::SetFace(ControlId id, const std::string& face) {
    if (Writable(id).font.face != face) {
        Writable(id).font.face = face;
        host_.ControlChanged(id);
    }
}

void Form1::SetTooltip(ControlId id, const std::string& tooltip) {
    if (Writable(id).tooltip != tooltip) {
        Writable(id).tooltip = tooltip;
        host_.ControlChanged(id);
    }
}

bool Form1::IsMinimised() const {
    return host_.IsMinimised();
}

void Form1::SetLabel(Label label, const std::string& caption) {
    SetCaption(
        label == Label::lblPresentTime ? ControlId::lblPresentTime : ControlId::lblEstimateTime,
        caption);
}

void Form1::SetWindowCaption(const std::string& caption) {
    host_.SetWindowCaption(caption);
}

void Form1::SetButtonEnabled(Button button, bool enabled) {
    const ControlId id = button == Button::cmdAccel ? ControlId::cmdAccel : ControlId::cmdNormal;
    if (Writable(id).enabled == enabled) {
        return;
    }
    if (enabled) {
        lastEnabled_ = id;
    } else if (HasFocus(id)) {
        focusLost_ = true;
    }
    Writable(id).enabled = enabled;
    host_.ControlChanged(id);
}

void Form1::ShowFailure(const EngineFailure& failure) {
    ShowMessage(ComposeMessage(failure, IsJapanese(ControlAt(ControlId::chkLanguage).value),
                               services_.executablePath));
}

SavedFrame Form1::WindowFrame() const {
    return host_.WindowFrame();
}

// The window is not yet shown while the settings load: the restored keys are kept apart, and the
// realisation decides the frame to show from them once it knows the screens.
void Form1::RestoreFrame(const SavedFrame& frame) {
    restoredFrame_ = frame;
}

std::string Form1::BoxText(Box box) const {
    return ControlAt(ControlOf(box)).caption;
}

void Form1::SetBoxText(Box box, const std::string& text) {
    SetCaption(ControlOf(box), text);
}

std::int16_t Form1::CheckValue(Check box) const {
    return ControlAt(ControlOf(box)).value;
}

void Form1::SetCheckValue(Check box, std::int16_t value) {
    SetCheckValue(ControlOf(box), value);
}

}  // namespace quicktock
