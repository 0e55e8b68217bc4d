#include "common/window_base.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

namespace velmora {

void CentreWindow(HWND window, HWND over) {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT target = area;
    if (over && ::IsWindow(over)) ::GetWindowRect(over, &target);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = target.left + (target.right - target.left - width) / 2;
    int top = target.top + (target.bottom - target.top - height) / 2;
    // Never off the work area, so that a window over one near the edge can still be reached.
    if (left + width > area.right) left = area.right - width;
    if (top + height > area.bottom) top = area.bottom - height;
    if (left < area.left) left = area.left;
    if (top < area.top) top = area.top;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&frame, style, ::GetMenu(window) != nullptr, exStyle);
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The tooltip controls of the windows, which the message loop hands the mouse's messages to.
std::vector<HWND>& Tooltips() {
    static std::vector<HWND> tooltips;
    return tooltips;
}

void RelayToTooltips(MSG& message) {
    std::vector<HWND>& tooltips = Tooltips();
    std::erase_if(tooltips, [](HWND tooltip) { return !::IsWindow(tooltip); });
    for (HWND tooltip : tooltips) ::SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

}  // namespace

int RunMessageLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) RelayToTooltips(message);
        HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && ::IsDialogMessageW(root, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void ControlHost::InitHost(HWND hwnd) {
    hwnd_ = hwnd;
    dpi_ = ScreenDpi();
    if (!font_) font_ = CreateMessageFont(false);
}

HWND ControlHost::AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                             const TwipsRect& at, DWORD exStyle) {
    HWND control =
        ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, Px(at.left), Px(at.top),
                          Px(at.width), Px(at.height), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

void ControlHost::AddTooltip(HWND control, const wchar_t* text) {
    if (!control) return;
    if (!tooltip_) {
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                     reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
        if (!tooltip_) return;
        // Long tips wrap instead of running off the screen.
        ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Px(5760));
        Tooltips().push_back(tooltip_);
    }
    TTTOOLINFOW tool{};
    // The size every version of the common controls takes.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // The message loop relays the mouse's messages (RunMessageLoop); subclassing every control
    // instead would add a lookup of the control's properties to each message it gets.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

RECT ControlHost::PlaceOf(HWND control) const {
    RECT placed{};
    ::GetWindowRect(control, &placed);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
    return placed;
}

namespace {

// The size a control's text takes with the control's font: on one line, or wrapped at width.
SIZE TextExtent(HWND control, int wrapWidth, UINT format) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(control, text.data(), length + 1);
    RECT needed{0, 0, wrapWidth, 0};
    const WindowDc dc(control);
    if (!dc) return {0, 0};
    const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc.get(), text.c_str(), length, &needed, DT_CALCRECT | format);
    return {needed.right - needed.left, needed.bottom - needed.top};
}

void Resize(HWND control, int width, int height) {
    ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ControlHost::FitLabelHeight(HWND label) {
    const RECT placed = PlaceOf(label);
    const int width = placed.right - placed.left;
    const SIZE needed = TextExtent(label, width, DT_WORDBREAK | DT_NOPREFIX);
    if (needed.cy > placed.bottom - placed.top) Resize(label, width, needed.cy);
}

void ControlHost::FitButtonWidth(HWND button) {
    const RECT placed = PlaceOf(button);
    // The box or circle, the gap after it, and the text.
    const int needed = TextExtent(button, 0, DT_SINGLELINE).cx + ::GetSystemMetrics(SM_CXMENUCHECK) + Px(105);
    if (needed > placed.right - placed.left) Resize(button, needed, placed.bottom - placed.top);
}

int ControlHost::TextWidth(HWND control) const {
    return TextExtent(control, 0, DT_SINGLELINE | DT_NOPREFIX).cx;
}

void ControlHost::FitLabelBeside(HWND label, HWND field, int minWidth) {
    const RECT labelPlace = PlaceOf(label);
    const RECT fieldPlace = PlaceOf(field);
    const int needed = std::max(TextWidth(label) + Px(30), minWidth);
    const int grow = needed - (labelPlace.right - labelPlace.left);
    if (grow <= 0) return;
    Resize(label, needed, labelPlace.bottom - labelPlace.top);
    ::SetWindowPos(field, nullptr, fieldPlace.left + grow, fieldPlace.top, fieldPlace.right - fieldPlace.left - grow,
                   fieldPlace.bottom - fieldPlace.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------------

namespace {

WindowFaultHandler& FaultHandler() {
    static WindowFaultHandler handler = nullptr;
    return handler;
}

// A window object goes while its window is still there: its derived part has gone already, so
// that the window's next message would reach freed memory. The window is cut off from the object
// (its messages go to the default procedure from now on) and destroyed, and the fault is reported.
void ReportWindowLeftBehind(HWND hwnd, int userDataIndex) {
    wchar_t className[128] = {};
    ::GetClassNameW(hwnd, className, 128);
    ::SetWindowLongPtrW(hwnd, userDataIndex, 0);
    ::DestroyWindow(hwnd);
    const std::wstring fault = std::wstring(L"Velmora: a window of the class \"") + className +
                               L"\" was still there when its object went; its destructor must call "
                               L"DestroyOwnWindow.\n";
    ::OutputDebugStringW(fault.c_str());
    if (WindowFaultHandler handler = FaultHandler()) handler(fault.c_str());
}

}  // namespace

WindowFaultHandler SetWindowFaultHandler(WindowFaultHandler handler) {
    return std::exchange(FaultHandler(), handler);
}

FrameWindow::~FrameWindow() {
    // The derived window destroyed it (DestroyOwnWindow); checked in every build.
    if (hwnd_) ReportWindowLeftBehind(std::exchange(hwnd_, nullptr), GWLP_USERDATA);
}

void FrameWindow::DestroyOwnWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

HWND FrameWindow::CreateFrame(const wchar_t* className, const std::wstring& caption, DWORD style, UniqueHmenu menu,
                              HICON icon, int clientWidthPx, int clientHeightPx) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FrameWindow::WndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    windowClass.hIcon = icon;
    ::RegisterClassExW(&windowClass);  // already registered by an earlier window: fine

    RECT frame{0, 0, clientWidthPx, clientHeightPx};
    ::AdjustWindowRectEx(&frame, style, static_cast<bool>(menu), 0);
    HWND created =
        ::CreateWindowExW(0, className, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, menu.get(), instance, this);
    // The window owns its menu now; a window that failed in WM_CREATE took its menu with it, and
    // only one never made leaves the menu to be freed here.
    if (created || (menu && !::IsMenu(menu.get()))) menu.release();
    if (!created) hwnd_ = nullptr;
    return hwnd_;
}

LRESULT CALLBACK FrameWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FrameWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->InitHost(hwnd);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrameWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LRESULT result = self->HandleMessage(message, wParam, lParam);
        self->hwnd_ = nullptr;
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

Dialog::Dialog(std::wstring caption, int clientWidthTwips, int clientHeightTwips, Placement placement, DWORD style)
    : caption_(std::move(caption)),
      widthTwips_(clientWidthTwips),
      heightTwips_(clientHeightTwips),
      placement_(placement),
      style_(style) {}

Dialog::~Dialog() {
    // The derived dialog destroyed it (DestroyOwnWindow); a modal one is ended by its loop.
    // Checked in every build.
    if (hwnd_ && !modal_) ReportWindowLeftBehind(std::exchange(hwnd_, nullptr), DWLP_USER);
}

void Dialog::DestroyOwnWindow() {
    if (hwnd_ && !modal_) ::DestroyWindow(hwnd_);
}

std::vector<WORD> Dialog::Template() const {
    // DLGTEMPLATE, then no menu, the default class and the caption; the controls come later.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = style_;
    header->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    header->cdit = 0;
    words.push_back(0);  // menu
    words.push_back(0);  // class
    for (wchar_t c : caption_) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    return words;
}

INT_PTR Dialog::ShowModal(HWND owner) {
    owner_ = owner;
    modal_ = true;
    const std::vector<WORD> words = Template();
    const INT_PTR result =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                  owner, &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

HWND Dialog::CreateModeless(HWND owner) {
    owner_ = owner;
    modal_ = false;
    const std::vector<WORD> words = Template();
    ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                                 &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd_;
}

void Dialog::Close(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_) {
        ::EndDialog(hwnd_, result);
    } else {
        ::DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->InitHost(hwnd);
    }
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetClientSize(hwnd_, Px(widthTwips_), Px(heightTwips_));
        OnInit();
        // Centred once its size is final: a dialog may grow to fit its texts.
        CentreWindow(hwnd_, placement_ == Placement::CentredOnOwner ? owner_ : nullptr);
        return TRUE;  // the dialog manager puts the focus on the first tab stop
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        if (OnCommand(id, code, control)) return TRUE;
        // Enter and Esc arrive as IDOK and IDCANCEL with no control, buttons with BN_CLICKED.
        if (id == IDOK && (code == BN_CLICKED || !control)) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && (code == BN_CLICKED || !control)) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        OnCloseBox();
        return TRUE;
    case WM_DESTROY:
        OnUnload();
        return TRUE;
    default: {
        bool handled = false;
        const INT_PTR result = OnMessage(message, wParam, lParam, handled);
        if (!handled) return FALSE;
        // These answer through the return value itself; all others through DWLP_MSGRESULT.
        if ((message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
            message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON) {
            return result;
        }
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

}  // namespace velmora
