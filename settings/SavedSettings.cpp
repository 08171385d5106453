#include "settings/SavedSettings.h"

#include <cmath>
#include <type_traits>
#include <utility>
#include <variant>

#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"
#include "settings/NumberText.h"

namespace quicktock {
namespace {

using Edge = SettingsForm::FrameEdge;

// The keys in the order in which they are read and written, and what each holds.
constexpr std::pair<const char*, std::variant<Edge, Box, Check>> kKeys[] = {
    {"posX", Edge::Left},
    {"posY", Edge::Top},
    {"winW", Edge::Width},
    {"winH", Edge::Height},
    {"backH", Box::txtPlaybackHour},
    {"chk10", Check::chk10sec},
    {"chkLess", Check::chkLessThanNow},
    {"chkUntilMin", Check::chkUntilMinute},
    {"UntilMin", Box::txtUntilMinutes},
    {"chkLang", Check::chkLanguage},
};

float& FrameField(SettingsForm::Frame& frame, Edge edge) {
    switch (edge) {
        case Edge::Left:
            return frame.left;
        case Edge::Top:
            return frame.top;
        case Edge::Width:
            return frame.width;
        default:
            return frame.height;
    }
}

}  // namespace

SavedSettings::SavedSettings(IniFile& file, std::string decimalSeparator)
    : file_(file), decimalSeparator_(std::move(decimalSeparator)) {}

void SavedSettings::Load(SettingsForm& form, const std::string& settingsPath) {
    for (const auto& [key, setting] : kKeys) {
        const std::string text = file_.GetINIValue(key, kSection, settingsPath);
        if (text == IniFile::kMissing) {
            continue;
        }
        try {
            std::visit([&](auto which) { Apply(form, which, text); }, setting);
        } catch (const ConversionError&) {
            // A hand-edited value that overflows keeps the laid-out setting; the next Exit
            // writes a valid value again.
        }
    }
}

void SavedSettings::Apply(SettingsForm& form, SettingsForm::FrameEdge edge,
                          const std::string& text) {
    const auto value = static_cast<float>(ParseNumber(text));
    if (!std::isfinite(value)) {
        throw ConversionError("beyond single precision");
    }
    form.RestoreFrameEdge(edge, value);
}

// The hours go back as they were written; the minutes as the number they hold.
void SavedSettings::Apply(SettingsForm& form, Box box, const std::string& text) {
    form.SetBoxText(box, box == Box::txtPlaybackHour
                             ? text
                             : FormatLocaleNumber(ParseNumber(text), decimalSeparator_));
}

void SavedSettings::Apply(SettingsForm& form, Check box, const std::string& text) {
    const std::int16_t value = ToInt16(ParseNumber(text));
    if (value < 0 || value > 2) {
        throw ConversionError("not a check box state");
    }
    form.SetCheckValue(box, value);
}

void SavedSettings::Save(const SettingsForm& form, const std::string& settingsPath) {
    SettingsForm::Frame frame = form.WindowFrame();
    for (const auto& [key, setting] : kKeys) {
        const std::string text = std::visit(
            [&](auto which) -> std::string {
                using Which = decltype(which);
                if constexpr (std::is_same_v<Which, Edge>) {
                    return FormatSigned(FrameField(frame, which));
                } else if constexpr (std::is_same_v<Which, Box>) {
                    return form.BoxText(which);
                } else {
                    return FormatSigned(static_cast<int>(form.CheckValue(which)));
                }
            },
            setting);
        file_.SetINIValue(text, key, kSection, settingsPath);
    }
}

}  // namespace quicktock
