#include "settings/SavedSettings.h"

#include <cmath>
#include <utility>
#include <variant>

#include "engine/ConversionError.h"
#include "engine/NumberConversions.h"
#include "settings/NumberText.h"

namespace quicktock {
namespace {

using Edge = std::optional<float> SavedFrame::*;

// The keys in the order in which they are read and written, and what each holds.
constexpr std::pair<const char*, std::variant<Edge, Box, Check>> kKeys[] = {
    {"posX", &SavedFrame::left},        {"posY", &SavedFrame::top},
    {"winW", &SavedFrame::width},       {"winH", &SavedFrame::height},
    {"backH", Box::txtPlaybackHour},    {"chk10", Check::chk10sec},
    {"chkLess", Check::chkLessThanNow}, {"chkUntilMin", Check::chkUntilMinute},
    {"UntilMin", Box::txtUntilMinutes}, {"chkLang", Check::chkLanguage},
};

}  // namespace

SavedSettings::SavedSettings(IniFile& file, std::string decimalSeparator)
    : file_(file), decimalSeparator_(std::move(decimalSeparator)) {}

void SavedSettings::Load(SettingsForm& form, const std::string& settingsPath) {
    SavedFrame frame;
    for (const auto& [key, setting] : kKeys) {
        const std::string text = file_.GetINIValue(key, kSection, settingsPath);
        if (text == IniFile::kMissing) {
            continue;
        }
        try {
            if (const Edge* edge = std::get_if<Edge>(&setting)) {
                const auto value = static_cast<float>(ParseNumber(text));
                if (!std::isfinite(value)) {
                    throw ConversionError("beyond single precision");
                }
                frame.*(*edge) = value;
            } else if (const Box* box = std::get_if<Box>(&setting)) {
                // The hours go back as they were written; the minutes as the number they hold.
                form.SetBoxText(*box,
                                *box == Box::txtPlaybackHour
                                    ? text
                                    : FormatLocaleNumber(ParseNumber(text), decimalSeparator_));
            } else {
                const std::int16_t value = ToInt16(ParseNumber(text));
                if (value < 0 || value > 2) {
                    throw ConversionError("not a check box state");
                }
                form.SetCheckValue(std::get<Check>(setting), value);
            }
        } catch (const ConversionError&) {
            // A hand-edited value that overflows keeps the laid-out setting; the next Exit
            // writes a valid value again.
        }
    }
    form.RestoreFrame(frame);
}

void SavedSettings::Save(const SettingsForm& form, const std::string& settingsPath) {
    const SavedFrame frame = form.WindowFrame();
    for (const auto& [key, setting] : kKeys) {
        std::string text;
        if (const Edge* edge = std::get_if<Edge>(&setting)) {
            text = FormatSigned((frame.*(*edge)).value_or(0));
        } else if (const Box* box = std::get_if<Box>(&setting)) {
            text = form.BoxText(*box);
        } else {
            text = FormatSigned(static_cast<int>(form.CheckValue(std::get<Check>(setting))));
        }
        file_.SetINIValue(text, key, kSection, settingsPath);
    }
}

}  // namespace quicktock
