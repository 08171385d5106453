#include "window/qt/QtFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <algorithm>

#include "window/Geometry.h"

namespace quicktock {
namespace {

// Qt lists a family that more than one foundry makes as "Family [foundry]".
QString WithoutFoundry(const QString& family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket < 0 ? family : family.left(bracket);
}

}  // namespace

QtFonts::QtFonts(int dpi) : dpi_(dpi) {
    for (const QString& family : QFontDatabase::families()) {
        families_.insert(WithoutFoundry(family));
    }
    // The system's faces are named by what they resolve to, not by fontconfig's aliases.
    general_ = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
    systemFaces_ = {{general_.toStdString(), false}, {fixed.toStdString(), true}};
}

const std::vector<InstalledFace>& QtFonts::WithJapaneseFaces(bool japaneseText) {
    if (withJapanese_.empty()) {
        withJapanese_ = systemFaces_;
        for (const QString& listed : QFontDatabase::families(QFontDatabase::Japanese)) {
            const std::string family = WithoutFoundry(listed).toStdString();
            if (std::none_of(withJapanese_.begin(), withJapanese_.end(),
                             [&](const InstalledFace& face) { return face.name == family; })) {
                withJapanese_.push_back({family, QFontDatabase::isFixedPitch(listed)});
                japaneseFamilies_.insert(QString::fromStdString(family));
            }
        }
    }
    if (!japaneseText) {
        return withJapanese_;
    }
    if (withJapaneseByPitch_.empty()) {
        // Qt calls a face fixed-pitch only when all its glyphs are one width; in a Japanese face
        // that keeps to a grid, every Latin letter is half as wide as a kana, "i" as wide as "M".
        withJapaneseByPitch_ = withJapanese_;
        const auto japanese = withJapaneseByPitch_.begin() + systemFaces_.size();
        for (auto face = japanese; face != withJapaneseByPitch_.end(); ++face) {
            const auto i = Measure(DefaultFont(), face->name, "i");
            const auto m = Measure(DefaultFont(), face->name, "M");
            face->fixedPitch = face->fixedPitch || (i && m && *i == *m);
        }
        std::stable_partition(japanese, withJapaneseByPitch_.end(),
                              [](const InstalledFace& face) { return !face.fixedPitch; });
    }
    return withJapaneseByPitch_;
}

QFont QtFonts::FontOf(const QString& family, const ControlFont& wanted) const {
    QFont font(family);
    font.setPointSize(wanted.points);
    font.setWeight(static_cast<QFont::Weight>(wanted.weight));
    if (japaneseFamilies_.contains(family)) {
        // FreeType's automatic hinter would first study the face's scripts from the whole of its
        // character map and dozens of its ideographs: for a Japanese face, megabytes of the font
        // file read for a few captions that look much the same unhinted.
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    return font;
}

QFont QtFonts::FontFor(const FaceRequest& request, const ControlFont& font) {
    const std::string& chosen = choices_.For(request, font, [&] {
        const MeasureText measureFont = [&](const std::string& face, const std::string& text) {
            return Measure(font, face, text);
        };
        // The named face comes back where nothing draws the texts; one that is installed drew.
        const auto drawn = [&](const std::string& face) {
            return face != request.named || families_.contains(QString::fromStdString(face));
        };
        std::string face = ChooseFace(request, systemFaces_, measureFont);
        if (!drawn(face)) {
            const bool japanese = std::any_of(
                request.texts.begin(), request.texts.end(), [](const std::string& text) {
                    return std::any_of(text.begin(), text.end(), [](char c) {
                        return (static_cast<unsigned char>(c) & 0x80) != 0;
                    });
                });
            face = ChooseFace(request, WithJapaneseFaces(japanese), measureFont);
        }
        // Where no installed face draws it all, the general face rather than a name that is
        // not installed.
        return drawn(face) ? face : general_.toStdString();
    });
    return FontOf(QString::fromStdString(chosen), font);
}

QFont QtFonts::GeneralFont(const ControlFont& font) const {
    return FontOf(general_, font);
}

// The face's own glyphs only, from the font engine that then draws the text: the first of the
// faces Qt would draw it with.
std::optional<double> QtFonts::Measure(const ControlFont& wanted, const std::string& face,
                                       const std::string& text) const {
    const QString family = QString::fromStdString(face);
    if (!families_.contains(family)) {
        return std::nullopt;
    }
    const QFont font = FontOf(family, wanted);
    const QRawFont raw = QRawFont::fromFont(font);
    const QString drawn = QString::fromStdString(text);
    if (!raw.isValid() || raw.familyName() != family) {
        return std::nullopt;
    }
    for (const char32_t c : drawn.toUcs4()) {
        if (!raw.supportsCharacter(c)) {
            return std::nullopt;
        }
    }
    double width = 0;
    for (const QPointF& advance : raw.advancesForGlyphIndexes(raw.glyphIndexesForString(drawn))) {
        width += advance.x();
    }
    return width * kTwipsPerInch / dpi_;
}

}  // namespace quicktock
