#include "window/win32/Win32Form1.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <functional>

#include "platform/WideText_win.h"
#include "window/FrameRules.h"
#include "window/Geometry.h"
#include "window/TabOrder.h"

namespace quicktock {
namespace {

constexpr wchar_t kWindowClass[] = L"QuicktockForm1";
constexpr wchar_t kMessageClass[] = L"QuicktockMessage";
// Control ids start above IDOK and IDCANCEL, which the dialog keys send for Enter and Escape.
constexpr int kFirstControlId = 100;
constexpr int kMessageOkId = IDOK;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
    return text;
}

int IdOf(ControlId id) {
    return kFirstControlId + static_cast<int>(id);
}

// A font as the window describes it, at a screen's DPI.
LOGFONTW LogFont(const ControlFont& font, int dpi) {
    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(font.points, dpi, 72);
    logFont.lfWeight = font.weight;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    const std::wstring face = Widen(CP_UTF8, font.face);
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return logFont;
}

// The face a font selected into the DC really is.
std::wstring FaceOf(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

// Measures texts for one face choice on a memory DC. A face counts as installed when the font
// made for it is that face rather than a stand-in the font mapper found, and it draws a text when
// it has a glyph for each character.
class FaceMeasure {
public:
    FaceMeasure(const ControlFont& named, int dpi)
        : named_(named), dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {}
    ~FaceMeasure() {
        DeleteDC(dc_);
        for (const auto& [face, font] : fonts_) {
            DeleteObject(font);
        }
    }
    FaceMeasure(const FaceMeasure&) = delete;
    FaceMeasure& operator=(const FaceMeasure&) = delete;

    std::optional<double> operator()(const std::string& face, const std::string& text) {
        HFONT& font = fonts_[face];
        if (font == nullptr) {
            ControlFont tried = named_;
            if (face != named_.face) {
                tried.face = face;
                tried.charset = DEFAULT_CHARSET;
            }
            const LOGFONTW logFont = LogFont(tried, dpi_);
            font = CreateFontIndirectW(&logFont);
        }
        SelectObject(dc_, font);
        const std::wstring wide = Widen(CP_UTF8, text);
        std::vector<WORD> glyphs(wide.size());
        SIZE size{};
        if (CompareStringOrdinal(FaceOf(dc_).c_str(), -1, Widen(CP_UTF8, face).c_str(), -1, TRUE) !=
                CSTR_EQUAL ||
            GetGlyphIndicesW(dc_, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
            std::find(glyphs.begin(), glyphs.end(), 0xFFFF) != glyphs.end() ||
            !GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size)) {
            return std::nullopt;
        }
        return PixelsToTwips(size.cx, dpi_);
    }

private:
    ControlFont named_;
    int dpi_;
    HDC dc_;
    std::map<std::string, HFONT> fonts_;
};

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    auto* list = reinterpret_cast<std::vector<InstalledFace>*>(faces);
    const std::string name = Narrow(CP_UTF8, font->lfFaceName);
    // A name with '@' is the same face turned for vertical writing.
    if (!name.empty() && name[0] != '@' &&
        std::none_of(list->begin(), list->end(),
                     [&](const InstalledFace& face) { return face.name == name; })) {
        list->push_back({name, (font->lfPitchAndFamily & 3) == FIXED_PITCH});
    }
    return TRUE;
}

PixelRect ToPixelRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddScreen(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<Screen>*>(screens)->push_back(
            {ToPixelRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

}  // namespace

Win32Form1::Win32Form1(Form1::Services services)
    : separators_(services.dateTimeSeparators), model_(*this, std::move(services)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&windowClass);
    windowClass.lpfnWndProc = MessageWindowProc;
    windowClass.lpszClassName = kMessageClass;
    RegisterClassExW(&windowClass);

    // Created at the default place; its size follows once its screen's DPI is known.
    window_ = CreateWindowExW(0, kWindowClass, nullptr, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, instance, this);
    dpi_ = static_cast<int>(GetDpiForWindow(window_));
    CreateControls();
}

Win32Form1::~Win32Form1() {
    if (!ended_ && IsWindow(window_)) {
        DestroyWindow(window_);
    }
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
}

int Win32Form1::Pixels(double twips) const {
    return TwipsToPixels(twips, dpi_);
}

void Win32Form1::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const quicktock::Control& c : model_.Controls()) {
        DWORD style = WS_CHILD | (TakesFocus(c) ? WS_TABSTOP : 0);
        DWORD extended = 0;
        const wchar_t* className = nullptr;
        switch (c.kind) {
            case ControlKind::Label:
                className = L"STATIC";
                // A caption too wide for its label is cut, not wrapped below its edge.
                style |= SS_NOPREFIX | (c.alignRight ? SS_RIGHT : SS_LEFTNOWORDWRAP);
                break;
            case ControlKind::TextBox:
                className = L"EDIT";
                style |= ES_AUTOHSCROLL | (c.alignRight ? ES_RIGHT : ES_LEFT);
                extended = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::CommandButton:
                className = L"BUTTON";
                style |= BS_PUSHBUTTON;
                break;
            case ControlKind::CheckBox:
                // Not automatic: a click goes through the model, which decides the new value.
                className = L"BUTTON";
                style |= BS_3STATE;
                break;
            case ControlKind::Timer:
                SetTimer(window_, IdOf(c.id), static_cast<UINT>(c.intervalMs), nullptr);
                continue;
            case ControlKind::Line:
                continue;  // painted by the window
        }
        const HWND control = CreateWindowExW(
            extended, className, nullptr, style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(c.id))), instance, nullptr);
        controls_[static_cast<int>(c.id)] = control;
    }
    // The dialog keys move the focus in the windows' order: put it in the model's tab order.
    HWND previous = HWND_TOP;
    for (const ControlId id : TabOrder(model_.Controls())) {
        SetWindowPos(Control(id), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = Control(id);
    }
}

// The common controls, which only the tips need, are loaded once the window shows: imported,
// they would hold up the start before the program's first line.
void Win32Form1::CreateTooltips() {
    const FARPROC init = GetProcAddress(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx");
    if (init != nullptr) {
        const INITCOMMONCONTROLSEX classes{sizeof classes,
                                           ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
            reinterpret_cast<void (*)()>(init))(&classes);
    }
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    for (const quicktock::Control& c : model_.Controls()) {
        if (Control(c.id) != nullptr && !c.tooltip.empty()) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window_;
            tool.uId = reinterpret_cast<UINT_PTR>(Control(c.id));
            tool.lpszText = const_cast<wchar_t*>(L"");
            SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            shownTooltips_[static_cast<int>(c.id)].clear();
            Refresh(c.id);
        }
    }
}

// Rectangles and fonts for the window's DPI, once the model has loaded; again whenever the window
// moves to a screen of another DPI.
void Win32Form1::PlaceControls() {
    for (const quicktock::Control& c : model_.Controls()) {
        if (const HWND control = Control(c.id)) {
            SetWindowPos(control, nullptr, Pixels(c.rect.left), Pixels(c.rect.top),
                         Pixels(c.rect.width), Pixels(c.rect.height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            shownFonts_[static_cast<int>(c.id)] = nullptr;
            shownTooltips_[static_cast<int>(c.id)].clear();
            Refresh(c.id);
        }
    }
    InvalidateRect(window_, nullptr, TRUE);
}

HFONT Win32Form1::Font(const ControlFont& wanted) {
    const auto key = std::make_tuple(wanted.face, wanted.points, wanted.weight, wanted.charset);
    HFONT& font = fonts_[key];
    if (font == nullptr) {
        const LOGFONTW logFont = LogFont(wanted, dpi_);
        font = CreateFontIndirectW(&logFont);
    }
    return font;
}

// A face that stands in for the named one is asked for by its name alone, whatever its
// character set, so that the font mapper does not pass it over for another.
ControlFont Win32Form1::DrawnFont(const FaceRequest& request, const ControlFont& named) {
    const std::string& chosen = choices_.For(request, named, [&] {
        FaceMeasure measure(named, dpi_);
        return ChooseFace(request, InstalledFaces(), std::ref(measure));
    });
    ControlFont drawn = named;
    if (chosen != named.face) {
        drawn.face = chosen;
        drawn.charset = DEFAULT_CHARSET;
    }
    return drawn;
}

// The system's message font first, by the face it really is, then the faces of the Japanese
// character set in the order the system lists them.
const std::vector<InstalledFace>& Win32Form1::InstalledFaces() {
    if (installedFaces_) {
        return *installedFaces_;
    }
    installedFaces_.emplace();
    const HDC dc = CreateCompatibleDC(nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW textMetrics{};
        GetTextMetricsW(dc, &textMetrics);
        // The flag is named the other way round: set, it means variable pitch.
        installedFaces_->push_back(
            {Narrow(CP_UTF8, FaceOf(dc)), (textMetrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0});
        SelectObject(dc, old);
        DeleteObject(font);
    }
    LOGFONTW japanese{};
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(dc, &japanese, AddFace, reinterpret_cast<LPARAM>(&*installedFaces_), 0);
    DeleteDC(dc);
    return *installedFaces_;
}

// A number box's frame and the edit control's own inner room, with the margins at their
// smallest: what its text cannot use of the laid-out width.
double Win32Form1::FrameTwips(HWND control, ControlKind kind) const {
    if (kind != ControlKind::TextBox) {
        return 0;
    }
    SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    RECT outer{};
    RECT text{};
    GetWindowRect(control, &outer);
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    return PixelsToTwips((outer.right - outer.left) - (text.right - text.left), dpi_);
}

// Shows a control as the model holds it. Every tick rewrites the date-time labels: only what
// changed is touched.
void Win32Form1::Refresh(ControlId id) {
    const HWND control = Control(id);
    if (control == nullptr || !loaded_) {
        return;
    }
    const int index = static_cast<int>(id);
    const quicktock::Control& c = model_.ControlAt(id);
    FaceRequest request = FaceRequestFor(c, separators_);
    request.maxWidthTwips -= FrameTwips(control, c.kind);
    const HFONT font = Font(DrawnFont(request, c.font));
    if (shownFonts_[index] != font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (c.kind == ControlKind::TextBox) {
            // A new font brings the margins the font suggests, which leave room for two digits.
            SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        }
        shownFonts_[index] = font;
    }
    const std::wstring text = Widen(CP_UTF8, c.caption);
    if (shownTexts_[index] != text || WindowText(control) != text) {
        settingText_ = true;
        SetWindowTextW(control, text.c_str());
        settingText_ = false;
        shownTexts_[index] = text;
    }
    const std::wstring tooltip = Widen(CP_UTF8, c.tooltip);
    if (tooltips_ != nullptr && shownTooltips_[index] != tooltip) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(tooltip.c_str());
        SendMessageW(tooltips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        shownTooltips_[index] = tooltip;
        // The four tips change together, in one language: each draws in the face its text needs.
        const HFONT tipFont = Font(DrawnFont(FaceRequestFor(c.tooltip, c.font), c.font));
        SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(tipFont), FALSE);
    }
    if ((IsWindowEnabled(control) != FALSE) != c.enabled) {
        EnableWindow(control, c.enabled);
    }
    if (((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0) != c.visible) {
        ShowWindow(control, c.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (c.kind == ControlKind::CheckBox) {
        const WPARAM state = c.value == 0   ? BST_UNCHECKED
                             : c.value == 1 ? BST_CHECKED
                                            : BST_INDETERMINATE;
        if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != state) {
            SendMessageW(control, BM_SETCHECK, state, 0);
        }
    }
}

void Win32Form1::LoadAndShow(int showCommand) {
    model_.Load();
    loaded_ = true;
    PlaceControls();
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const StartFrame start = DecideStartFrame(model_.RestoredFrame(), ToPixelRect(frame),
                                              ToPixelRect(client), true, Screens(), dpi_);
    SetWindowPos(window_, nullptr, start.frame.left, start.frame.top, start.frame.width,
                 start.frame.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (start.moves ? 0 : SWP_NOMOVE));
    // Normal, as the model decides, however the program was started.
    ShowWindow(window_, showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_HIDE
                            ? SW_SHOW
                            : SW_SHOWNORMAL);
    UpdateWindow(window_);
    CreateTooltips();
}

bool Win32Form1::HandleDialogKeys(MSG& message) {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool inMessage = root != tooltips_ && GetWindow(root, GW_OWNER) == window_;
    return !ended_ && IsDialogMessageW(inMessage ? root : window_, &message);
}

LRESULT CALLBACK Win32Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may cross the system's call of the window procedure.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& failure) {
        self->model_.Failed(failure);
    }
    return 0;
}

LRESULT Win32Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == static_cast<WPARAM>(IdOf(ControlId::tmrTimer)) && !ended_) {
                model_.TimerTick();
            }
            return 0;
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_PAINT:
            PaintLine();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                model_.WindowDeactivated(FocusedControl());
            } else if (HIWORD(wParam) == 0) {  // not while minimised
                model_.WindowActivated();
                return 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            // The controls take the new fonts before the old ones go; open messages own theirs.
            const auto oldFonts = std::exchange(fonts_, {});
            choices_.Clear();
            const RECT* suggested = reinterpret_cast<RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            PlaceControls();
            for (const auto& [key, font] : oldFonts) {
                DeleteObject(font);
            }
            return 0;
        }
        case WM_DESTROY:
            KillTimer(window_, IdOf(ControlId::tmrTimer));
            ended_ = true;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32Form1::Command(int controlId, int notification) {
    const int index = controlId - kFirstControlId;
    if (ended_) {
        return;
    }
    if (controlId == IDOK || controlId == IDCANCEL) {  // Enter and Escape, from the dialog keys
        model_.UserKey(controlId == IDOK ? Form1::Key::Enter : Form1::Key::Escape);
        return;
    }
    if (index < 0 || index >= kControlCount) {
        return;
    }
    const auto id = static_cast<ControlId>(index);
    const ControlKind kind = model_.ControlAt(id).kind;
    if (kind == ControlKind::TextBox && notification == EN_CHANGE && !settingText_) {
        const std::wstring text = WindowText(Control(id));
        shownTexts_[index] = text;
        model_.UserEditText(id, Narrow(CP_UTF8, text));
    } else if ((kind == ControlKind::CommandButton || kind == ControlKind::CheckBox) &&
               notification == BN_CLICKED) {
        model_.UserClick(id);
    }
}

void Win32Form1::PaintLine() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window_, &paint);
    const TwipRect& line = model_.ControlAt(ControlId::Line1).rect;
    const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, Pixels(line.left), Pixels(line.top), nullptr);
    LineTo(dc, Pixels(line.left + line.width), Pixels(line.top + line.height));
    SelectObject(dc, old);
    DeleteObject(pen);
    EndPaint(window_, &paint);
}

void Win32Form1::SetWindowCaption(const std::string& caption) {
    const std::wstring title = Widen(CP_UTF8, caption);
    if (WindowText(window_) != title) {
        SetWindowTextW(window_, title.c_str());
    }
}

bool Win32Form1::IsMinimised() const {
    return IsIconic(window_) != FALSE;
}

bool Win32Form1::HasFocus(ControlId id) const {
    return Control(id) != nullptr && GetFocus() == Control(id);
}

void Win32Form1::SetFocus(ControlId id) {
    ::SetFocus(Control(id));
}

std::optional<ControlId> Win32Form1::FocusedControl() const {
    const HWND focus = GetFocus();
    const auto found = std::find(controls_.begin(), controls_.end(), focus);
    if (focus == nullptr || found == controls_.end()) {
        return std::nullopt;
    }
    return static_cast<ControlId>(found - controls_.begin());
}

SavedFrame Win32Form1::WindowFrame() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    return FrameInTwips(ToPixelRect(frame), dpi_);
}

std::vector<Screen> Win32Form1::Screens() {
    std::vector<Screen> screens;
    EnumDisplayMonitors(nullptr, nullptr, AddScreen, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

// A small window of its own rather than MessageBox, whose nested loop would let ticks and clicks
// run inside the handler that reported the failure.
void Win32Form1::ShowMessage(int message, const std::string& title, const std::string& text) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring wide = Widen(CP_UTF8, text);
    // Its own font, which lives as long as it does, whatever becomes of the window's fonts.
    const ControlFont& buttons = model_.ControlAt(ControlId::cmdExit).font;
    FaceRequest request = FaceRequestFor(text, buttons);
    request.texts.push_back("OK");
    const LOGFONTW logFont = LogFont(DrawnFont(request, buttons), dpi_);
    const HFONT font = CreateFontIndirectW(&logFont);
    RECT wrapped{0, 0, Pixels(kMessageTextWidthTwips), 0};
    const HDC dc = GetDC(window_);
    const HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, wide.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    const MessageLayout layout = LayOutMessage(wrapped.right, wrapped.bottom, dpi_);
    RECT outer{0, 0, layout.width, layout.height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectExForDpi(&outer, style, FALSE, 0, static_cast<UINT>(dpi_));
    const PixelRect place =
        PlaceMessage(NormalFrame(), outer.right - outer.left, outer.bottom - outer.top, Screens());
    const HWND box =
        CreateWindowExW(0, kMessageClass, Widen(CP_UTF8, title).c_str(), style, place.left,
                        place.top, place.width, place.height, window_, nullptr, instance, nullptr);
    SetWindowLongPtrW(box, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(new OpenMessage{*this, message, font}));
    const auto part = [&](const wchar_t* kind, const wchar_t* text, DWORD style, const PixelRect& r,
                          int id) {
        const HWND child = CreateWindowExW(
            0, kind, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height, box,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    };
    part(L"STATIC", wide.c_str(), SS_NOPREFIX, layout.text, 0);
    const HWND ok =
        part(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, layout.button, kMessageOkId);
    MessageBeep(MB_ICONWARNING);
    ShowWindow(box, SW_SHOWNORMAL);
    UpdateWindow(box);
    ::SetFocus(ok);
}

LRESULT CALLBACK Win32Form1::MessageWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* open = reinterpret_cast<OpenMessage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (open == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {  // its label and button have gone: their font goes too
        DeleteObject(open->font);
        delete open;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    } else if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == kMessageOkId ||
                                                                 LOWORD(wParam) == IDCANCEL))) {
        Win32Form1& owner = open->owner;
        const int closed = open->message;
        DestroyWindow(window);
        try {
            if (!owner.ended_) {
                owner.model_.MessageClosed(closed);
            }
        } catch (const std::exception& failure) {
            owner.model_.Failed(failure);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

PixelRect Win32Form1::NormalFrame() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    const bool minimised = IsIconic(window_) && GetWindowPlacement(window_, &placement);
    if (minimised) {
        frame = placement.rcNormalPosition;
        // The normal position counts from the corner of the work area, not of the screen.
        MONITORINFO screen{};
        screen.cbSize = sizeof screen;
        GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &screen);
        OffsetRect(&frame, screen.rcWork.left - screen.rcMonitor.left,
                   screen.rcWork.top - screen.rcMonitor.top);
    }
    return ToPixelRect(frame);
}

void Win32Form1::EndWithFailure(const std::string& title, const std::string& text) {
    KillTimer(window_, IdOf(ControlId::tmrTimer));
    MessageBoxW(nullptr, Widen(CP_UTF8, text).c_str(), Widen(CP_UTF8, title).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}

void Win32Form1::EndProgram() {
    KillTimer(window_, IdOf(ControlId::tmrTimer));
    DestroyWindow(window_);  // its messages with it; WM_DESTROY posts the end of the loop
    ended_ = true;
}

}  // namespace quicktock
