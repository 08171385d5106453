#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "window/Form1.h"
#include "window/FormHost.h"
#include "window/qt/QtFonts.h"

namespace quicktock {

// The main window realised with Qt Widgets. Controls keep their laid-out rectangles whatever the
// window's size; what falls outside the client area is cut off.
class QtForm1 final : public QWidget, private FormHost {
public:
    explicit QtForm1(Form1::Services services);
    ~QtForm1() override;

    // Runs the start-up handler and shows the window with the frame the model decides.
    void LoadAndShow();

    Form1& Model() { return model_; }
    QWidget* Widget(ControlId id) const { return widgets_[static_cast<int>(id)]; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Device-independent pixels for a length in twips on this window's screen, and back.
    int ToPixels(double twips) const;
    double ToTwips(int pixels) const;
    void CreateControls();
    std::optional<ControlId> FocusedControl() const;
    void Refresh(ControlId id);
    // Applies the frame the model decides for the screens and the frame's extents as now known,
    // before the window manager has placed the window and once it has.
    void ApplyStartFrame(bool placed);
    void CorrectFrameOnceKnown(int triesLeft);
    std::vector<Screen> Screens() const;
    // Where a message box of the given size (without its frame) opens.
    QPoint MessagePosition(QSize size) const;

    // FormHost
    void ControlChanged(ControlId id) override { Refresh(id); }
    void SetWindowCaption(const std::string& caption) override;
    bool IsMinimised() const override;
    bool HasFocus(ControlId id) const override;
    void SetFocus(ControlId id) override;
    SavedFrame WindowFrame() const override;
    void ShowMessage(int message, const std::string& title, const std::string& text) override;
    void EndWithFailure(const std::string& title, const std::string& text) override;
    void EndProgram() override;

    int dpi_;
    DateTimeSeparators separators_;
    QtFonts fonts_;
    Form1 model_;
    std::array<QWidget*, kControlCount> widgets_{};
    QTimer timer_;
    // The controls show the model from the end of the start-up handler on: the fonts of a
    // language that a saved setting at once replaces are never chosen or loaded.
    bool loaded_ = false;
};

}  // namespace quicktock
