#include "window/win32/Win32Form1.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/WideText_win.h"
#include "tests/fakes/FakeProfileFunctions.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/window/StartFrameCases.h"

namespace quicktock {
namespace {

constexpr const char* kSettingsPath = "C:\\Quicktock\\Quicktock.ini";
constexpr UINT_PTR kTimerId = 100 + int(ControlId::tmrTimer);

RECT Frame(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// The window over fakes, shown in the saved language and frame, with the ticks left to the test.
// The test runs alone on its desktop: its windows are found by their class.
struct Shown {
    explicit Shown(const char* language, const StartFrameCase& frame = {}) {
        profile.Store(kSettingsPath, "Data", "chkLang", language);
        frame.StoreKeys([&](const char* key, const char* text) {
            profile.Store(kSettingsPath, "Data", key, text);
        });
        form.LoadAndShow(SW_SHOWNORMAL);
        main = FindWindowW(L"QuicktockForm1", nullptr);
        KillTimer(main, kTimerId);
        Pump();
    }
    HWND Control(ControlId id) const { return GetDlgItem(main, 100 + int(id)); }

    // Runs the window's messages for a while, as its loop does, so that the display answers.
    void Pump() {
        for (const ULONGLONG end = GetTickCount64() + 300; GetTickCount64() < end; Sleep(10)) {
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                if (!form.HandleDialogKeys(message)) {
                    DispatchMessageW(&message);
                }
            }
        }
    }
    void Key(WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        form.HandleDialogKeys(message);
        Pump();
    }
    void Click(ControlId id) {
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        Pump();
    }

    FakeSystemClock clock{{2026, 12, 6, 10, 0, 0}};
    FakeProfileFunctions profile;
    IniFile iniFile{profile};
    Win32Form1 form{Form1::Services{clock,
                                    iniFile,
                                    "C:\\Quicktock\\Quicktock.exe",
                                    {kSettingsPath, kSettingsPath},
                                    {"/", ":"},
                                    "."}};
    HWND main = nullptr;
};

// The window's font draws each text with a glyph for every character, in the face the font names
// (not a stand-in the font mapper found), and within the room given in pixels (0: any width).
void ExpectDrawn(HWND window, const std::vector<std::wstring>& texts, long room = 0) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW named{};
    ASSERT_NE(GetObjectW(font, sizeof named, &named), 0) << "a font that is gone";
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(_wcsicmp(face, named.lfFaceName), 0) << Narrow(CP_UTF8, named.lfFaceName);
    for (const std::wstring& text : texts) {
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        const std::string shown = Narrow(CP_UTF8, text) + " in " + Narrow(CP_UTF8, face);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0) << shown;
        EXPECT_LE(size.cx, room > 0 ? room : size.cx) << shown;
    }
    DeleteDC(dc);
}

// In each language and at 96 and 144 dpi, every control, tip and message draws each character it
// shows: the labels, and the date-time labels every date and time, on one line in their laid-out
// width; the number boxes their text whole. An open message keeps its font alive meanwhile.
TEST(Win32Form1Test, EverythingShownDrawsEachCharacterInItsRoom) {
    std::vector<std::wstring> dateTimes;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        dateTimes.push_back(L"9999/99/99 99:99:99");
        std::replace(dateTimes.back().begin(), dateTimes.back().end(), L'9', digit);
    }
    for (const char* language : {"0", "1"}) {
        SCOPED_TRACE(language);
        Shown w(language);
        w.clock.RefuseSets(true);
        w.Click(ControlId::cmdPlayback);
        const HWND message = FindWindowW(L"QuicktockMessage", nullptr);
        ASSERT_NE(message, nullptr);
        const HWND messageText = GetWindow(message, GW_CHILD);
        for (const UINT dpi : {96, 144}) {
            SCOPED_TRACE(dpi);
            RECT frame = Frame(w.main);
            SendMessageW(w.main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&frame));
            for (const Control& c : LaidOutControls()) {
                const HWND control = w.Control(c.id);
                if (control == nullptr || !IsWindowVisible(control)) {
                    continue;
                }
                SCOPED_TRACE(c.name);
                RECT room{};
                GetClientRect(control, &room);
                SendMessageW(control, EM_GETRECT, 0, LPARAM(&room));  // a number box's room
                const bool dateTime =
                    c.id == ControlId::lblPresentTime || c.id == ControlId::lblEstimateTime;
                const bool inRoom = c.kind == ControlKind::Label || c.kind == ControlKind::TextBox;
                ExpectDrawn(control, dateTime ? dateTimes : std::vector{Text(control)},
                            inRoom ? room.right - room.left : 0);
            }
            for (const HWND part : {messageText, GetDlgItem(message, IDOK)}) {
                ExpectDrawn(part, {Text(part)});
            }
            for (const ControlId id : {ControlId::cmdPlayback, ControlId::cmdAccel,
                                       ControlId::cmdNormal, ControlId::cmdGotoEstimate}) {
                wchar_t tip[256] = {};
                TTTOOLINFOW tool{sizeof tool, 0, w.main, UINT_PTR(w.Control(id)), {}, {},
                                 tip,         0, {}};
                SendMessageW(FindWindowW(TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 256,
                             LPARAM(&tool));
                EXPECT_NE(tip[0], L'\0');
                ExpectDrawn(FindWindowW(TOOLTIPS_CLASSW, nullptr), {tip});
            }
        }
    }
}

// Each settings file of the table opens the window with its frame.
TEST(Win32Form1Test, OpensEachSettingsFileWithItsFrame) {
    for (const StartFrameCase& row : kStartFrameCases) {
        Shown w("1", row);
        const RECT frame = Frame(w.main);
        RECT client{};
        GetClientRect(w.main, &client);
        MONITORINFO screen{sizeof screen, {}, {}, 0};
        GetMonitorInfoW(MonitorFromWindow(w.main, MONITOR_DEFAULTTONEAREST), &screen);
        const RECT& area = screen.rcWork;
        const std::array<int, 4> shown{frame.left, frame.top, frame.right - frame.left,
                                       frame.bottom - frame.top};
        EXPECT_EQ(shown, row.Expected(shown, {shown[2] - client.right, shown[3] - client.bottom},
                                      {area.right - area.left, area.bottom - area.top}))
            << "row " << &row - kStartFrameCases;
    }
}

// The focus starts on Exit, and Enter and Escape click nothing. It goes to the button just enabled
// when >> or > disables itself, and a tick that disables > leaves it where the user put it. A
// message opens beside the window inside the work area, in the same place while the window is
// minimised; when it closes the focus comes back, and the model knows it closed: the same message
// opens again.
TEST(Win32Form1Test, TheFocusStaysWithTheUserAndMessagesLeaveTheWindowInView) {
    Shown w("0");
    ASSERT_EQ(GetActiveWindow(), w.main);
    EXPECT_EQ(GetFocus(), w.Control(ControlId::cmdExit));
    w.Key(VK_RETURN);
    w.Key(VK_ESCAPE);
    EXPECT_TRUE(w.profile.Writes().empty()) << "Enter or Escape clicked Exit";
    SetWindowTextW(w.Control(ControlId::txtUntilMinutes), L"0");
    w.Click(ControlId::chkUntilMinute);
    w.Click(ControlId::cmdAccel);
    EXPECT_EQ(GetFocus(), w.Control(ControlId::cmdNormal));
    w.Key(VK_TAB);
    EXPECT_EQ(GetFocus(), w.Control(ControlId::cmdGotoEstimate));
    SendMessageW(w.main, WM_TIMER, kTimerId, 0);  // the minute limit stops the acceleration
    EXPECT_FALSE(IsWindowEnabled(w.Control(ControlId::cmdNormal)));
    EXPECT_EQ(GetFocus(), w.Control(ControlId::cmdGotoEstimate));

    // A refusal in a tick opens a message and stops the acceleration, handing the focus to >>.
    std::vector<RECT> placed;
    w.clock.RefuseSets(true);
    for (const bool minimised : {false, true}) {
        w.Click(ControlId::cmdAccel);
        ShowWindow(w.main, minimised ? SW_MINIMIZE : SW_SHOWNORMAL);
        w.clock.Advance(5000);
        SendMessageW(w.main, WM_TIMER, kTimerId, 0);
        w.Pump();
        const HWND message = FindWindowW(L"QuicktockMessage", nullptr);
        ASSERT_NE(message, nullptr);
        placed.push_back(Frame(message));
        w.Key(VK_ESCAPE);
        EXPECT_FALSE(IsWindow(message));
        EXPECT_TRUE(minimised || GetFocus() == w.Control(ControlId::cmdAccel));
    }
    MONITORINFO screen{sizeof screen, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(w.main, MONITOR_DEFAULTTONEAREST), &screen);
    RECT common{};
    const RECT frame = Frame(w.main);
    EXPECT_TRUE(IntersectRect(&common, &placed[0], &screen.rcWork) &&
                EqualRect(&common, &placed[0]))
        << "inside the work area";
    EXPECT_FALSE(IntersectRect(&common, &placed[0], &frame)) << "beside the window";
    EXPECT_TRUE(EqualRect(&placed[0], &placed[1])) << "placed from the minimised window's place";
    ShowWindow(w.main, SW_RESTORE);
    w.Pump();
    EXPECT_EQ(GetFocus(), w.Control(ControlId::cmdAccel));
}

}  // namespace
}  // namespace quicktock
