#include "settings/SavedSettings.h"

#include <array>
#include <cmath>
#include <utility>

#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"
#include "settings/NumberText.h"

namespace quicktock {
namespace {

using Box = SettingsForm::Box;
using Check = SettingsForm::Check;

// The keys in the order in which they are read and written.
constexpr std::array<const char*, 10> kKeys = {"posX",     "posY",   "winW",    "winH",
                                               "backH",    "chk10",  "chkLess", "chkUntilMin",
                                               "UntilMin", "chkLang"};
enum Key {
    kPosX,
    kPosY,
    kWinW,
    kWinH,
    kBackH,
    kChk10,
    kChkLess,
    kChkUntilMin,
    kUntilMin,
    kChkLang
};

Check CheckOf(int key) {
    switch (key) {
        case kChk10:
            return Check::TenSeconds;
        case kChkLess:
            return Check::LessThanNow;
        case kChkUntilMin:
            return Check::UntilMinute;
        default:
            return Check::Language;
    }
}

float& FrameField(SettingsForm::Frame& frame, int key) {
    switch (key) {
        case kPosX:
            return frame.left;
        case kPosY:
            return frame.top;
        case kWinW:
            return frame.width;
        default:
            return frame.height;
    }
}

}  // namespace

SavedSettings::SavedSettings(IniFile& file, std::string decimalSeparator)
    : file_(file), decimalSeparator_(std::move(decimalSeparator)) {}

void SavedSettings::Load(SettingsForm& form, const std::string& settingsPath) {
    for (int key = 0; key < static_cast<int>(kKeys.size()); ++key) {
        const std::string text = file_.GetINIValue(kKeys[key], kSection, settingsPath);
        if (text == IniFile::kMissing) {
            continue;
        }
        try {
            Apply(form, key, text);
        } catch (const ConversionError&) {
            // A hand-edited value that overflows keeps the laid-out setting; the next Exit
            // writes a valid value again.
        }
    }
}

void SavedSettings::Apply(SettingsForm& form, int key, const std::string& text) {
    switch (key) {
        case kPosX:
        case kPosY:
        case kWinW:
        case kWinH: {
            const auto value = static_cast<float>(ParseNumber(text));
            if (!std::isfinite(value)) {
                throw ConversionError("beyond single precision");
            }
            // posX, posY, winW and winH come first, in the order of the frame's edges.
            form.RestoreFrameEdge(static_cast<SettingsForm::FrameEdge>(key - kPosX), value);
            break;
        }
        case kBackH:
            form.SetBoxText(Box::PlaybackHour, text);
            break;
        case kUntilMin:
            form.SetBoxText(Box::UntilMinutes,
                            FormatLocaleNumber(ParseNumber(text), decimalSeparator_));
            break;
        default: {
            const std::int16_t value = ToInt16(ParseNumber(text));
            if (value < 0 || value > 2) {
                throw ConversionError("not a check box state");
            }
            form.SetCheckValue(CheckOf(key), value);
            break;
        }
    }
}

void SavedSettings::Save(const SettingsForm& form, const std::string& settingsPath) {
    SettingsForm::Frame frame = form.WindowFrame();
    for (int key = 0; key < static_cast<int>(kKeys.size()); ++key) {
        std::string text;
        switch (key) {
            case kPosX:
            case kPosY:
            case kWinW:
            case kWinH:
                text = FormatSigned(FrameField(frame, key));
                break;
            case kBackH:
                text = form.BoxText(Box::PlaybackHour);
                break;
            case kUntilMin:
                text = form.BoxText(Box::UntilMinutes);
                break;
            default:
                text = FormatSigned(static_cast<int>(form.CheckValue(CheckOf(key))));
                break;
        }
        file_.SetINIValue(text, kKeys[key], kSection, settingsPath);
    }
}

}  // namespace quicktock
