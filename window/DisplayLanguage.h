#pragma once

#include <cstdint>

namespace quicktock {

// The captions, the tooltips of the four clock buttons and the one face name of a display
// language.
struct DisplayLanguage {
    const char* face;
    const char* present;     // lblPresent
    const char* estimate;    // lblEstimate
    const char* tenSeconds;  // chk10sec
    const char* playbackTip;
    const char* accelTip;
    const char* normalTip;
    const char* gotoEstimateTip;
};

// Whether a value of the language box selects Japanese: 0 is English; 1, and also a greyed 2,
// Japanese.
bool IsJapanese(std::int16_t languageBoxValue);

// The language a value of the language box selects.
const DisplayLanguage& LanguageFor(std::int16_t languageBoxValue);

}  // namespace quicktock
