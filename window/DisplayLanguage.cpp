#include "window/DisplayLanguage.h"

namespace quicktock {

const DisplayLanguage& LanguageFor(std::int16_t languageBoxValue) {
    static const DisplayLanguage english{"MS UI Gothic", "System :", "Now :", "10sec"};
    // "ＭＳ Ｐゴシック", "システム：", "たぶん：", "10秒"
    static const DisplayLanguage japanese{"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF",
                                          "\u30B7\u30B9\u30C6\u30E0\uFF1A",
                                          "\u305F\u3076\u3093\uFF1A", "10\u79D2"};
    return languageBoxValue == 0 ? english : japanese;
}

}  // namespace quicktock
