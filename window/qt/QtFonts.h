#pragma once

#include <QFont>
#include <QSet>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "window/FaceChoice.h"
#include "window/FaceChoices.h"
#include "window/FormLayout.h"

namespace quicktock {

// Gives each control and message an installed face that draws what it shows, chosen by the
// window's rule, and names that face directly: a face that fontconfig does not have sends Qt on a
// costly search for a stand-in. The candidates, in order: the system's general face and its
// fixed-pitch face; only where neither draws a text, the faces that write Japanese. So that a
// Japanese face is loaded only where it is needed, they are tried as the font database lists
// them, and only for Japanese text opened all at once to try proportional ones first.
class QtFonts {
public:
    // Twips are measured at the given logical dots per inch.
    explicit QtFonts(int dpi);

    // The font for a request, at the size and weight of the given font. Choices are kept: the
    // date-time labels ask again every second.
    QFont FontFor(const FaceRequest& request, const ControlFont& font);
    // The system's general face at the size and weight of the given font.
    QFont GeneralFont(const ControlFont& font) const;

private:
    QFont FontOf(const QString& family, const ControlFont& wanted) const;
    std::optional<double> Measure(const ControlFont& font, const std::string& face,
                                  const std::string& text) const;
    const std::vector<InstalledFace>& WithJapaneseFaces(bool japaneseText);

    int dpi_;
    QSet<QString> families_;
    QString general_;
    std::vector<InstalledFace> systemFaces_;
    // Once needed, the system's faces and then the Japanese ones: as the font database lists
    // them, and proportional ones first.
    std::vector<InstalledFace> withJapanese_;
    std::vector<InstalledFace> withJapaneseByPitch_;
    QSet<QString> japaneseFamilies_;
    FaceChoices choices_;
};

}  // namespace quicktock
