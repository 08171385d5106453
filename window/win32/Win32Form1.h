#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "window/FaceChoice.h"
#include "window/FaceChoices.h"
#include "window/Form1.h"
#include "window/FormHost.h"
#include "window/MessagePlacement.h"

namespace quicktock {

// The main window realised with Win32 controls. Every layout number, caption, font and event rule
// comes from the window model; this class only maps them to native windows and forwards the
// user's clicks, typing and the timer back to it.
class Win32Form1 final : private FormHost {
public:
    explicit Win32Form1(Form1::Services services);
    ~Win32Form1() override;
    Win32Form1(const Win32Form1&) = delete;
    Win32Form1& operator=(const Win32Form1&) = delete;

    // Runs the start-up handler, then shows the window with the frame the model decides and the
    // focus on its first control.
    void LoadAndShow(int showCommand);

    // Gives the window and its open messages the dialog keys (Tab, arrows, Space); true when the
    // message was used up so.
    bool HandleDialogKeys(MSG& message);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreateTooltips();
    void PlaceControls();
    void Refresh(ControlId id);
    void Command(int controlId, int notification);
    std::optional<ControlId> FocusedControl() const;
    void PaintLine();
    HFONT Font(const ControlFont& wanted);
    // The font a control or message draws in: the named one, or the face chosen to stand in for
    // it.
    ControlFont DrawnFont(const FaceRequest& request, const ControlFont& named);
    const std::vector<InstalledFace>& InstalledFaces();
    double FrameTwips(HWND control, ControlKind kind) const;
    // The window's frame as it shows when normal, also while minimised.
    PixelRect NormalFrame() const;
    static std::vector<Screen> Screens();
    int Pixels(double twips) const;
    HWND Control(ControlId id) const { return controls_[static_cast<int>(id)]; }

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

    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    DateTimeSeparators separators_;  // before the model, which the services are moved into
    Form1 model_;
    std::array<HWND, kControlCount> controls_{};
    std::array<std::wstring, kControlCount> shownTexts_{};
    std::array<HFONT, kControlCount> shownFonts_{};
    std::array<std::wstring, kControlCount> shownTooltips_{};
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::map<std::tuple<std::string, int, int, int>, HFONT> fonts_;
    // The face chosen for each request, at the current DPI.
    FaceChoices choices_;
    std::optional<std::vector<InstalledFace>> installedFaces_;
    // Text put into a box by the program is not the user's typing.
    bool settingText_ = false;
    // The controls show the model once it has loaded: the laid-out captions and faces that the
    // start-up handler replaces are never drawn, nor their faces chosen.
    bool loaded_ = false;
    bool ended_ = false;
    // What an open message window holds: the window it tells about, its number in the model and
    // the font it owns.
    struct OpenMessage {
        Win32Form1& owner;
        int message;
        HFONT font;
    };
};

}  // namespace quicktock
