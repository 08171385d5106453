#include "window/qt/QtFonts.h"

#include <QStringList>

namespace quicktock {

void InstallFontSubstitutes() {
    const QString fixedPitch = QString::fromUtf8("\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
    const QString proportional = QString::fromUtf8("\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
    QFont::insertSubstitutions(fixedPitch, {"IPAGothic", "Noto Sans Mono CJK JP", "monospace"});
    QFont::insertSubstitutions(proportional, {"IPAPGothic", "Noto Sans CJK JP", "sans-serif"});
    QFont::insertSubstitutions("MS UI Gothic", {"IPAPGothic", "Noto Sans CJK JP", "sans-serif"});
}

QFont ToQFont(const FontSpec& given) {
    QFont font(QString::fromStdString(given.face));
    font.setPointSize(given.points);
    font.setWeight(static_cast<QFont::Weight>(given.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

}  // namespace quicktock
