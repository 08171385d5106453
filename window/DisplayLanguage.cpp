#include "window/DisplayLanguage.h"

#include "window/FormLayout.h"

namespace quicktock {

const DisplayLanguage& LanguageFor(std::int16_t languageBoxValue) {
    static const DisplayLanguage english{kUiGothicFace,
                                         "System :",
                                         "Now :",
                                         "10sec",
                                         "Set the clock back by the hours in the box",
                                         "Run the clock fast",
                                         "Stop running fast",
                                         "Set the clock to the counted real time"};
    // "システム：", "たぶん：", "10秒", "時計を左の時間数だけ戻す",
    // "時計を早送りする", "早送りを止める", "時計を数えた実時間に合わせる"
    static const DisplayLanguage japanese{
        kPGothicFace,
        "\u30B7\u30B9\u30C6\u30E0\uFF1A",
        "\u305F\u3076\u3093\uFF1A",
        "10\u79D2",
        "\u6642\u8A08\u3092\u5DE6\u306E\u6642\u9593\u6570\u3060\u3051\u623B\u3059",
        "\u6642\u8A08\u3092\u65E9\u9001\u308A\u3059\u308B",
        "\u65E9\u9001\u308A\u3092\u6B62\u3081\u308B",
        "\u6642\u8A08\u3092\u6570\u3048\u305F\u5B9F\u6642\u9593\u306B\u5408\u308F\u305B\u308B"};
    return IsJapanese(languageBoxValue) ? japanese : english;
}

bool IsJapanese(std::int16_t languageBoxValue) {
    return languageBoxValue != 0;
}

}  // namespace quicktock
