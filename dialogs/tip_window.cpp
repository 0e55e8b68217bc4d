#include "dialogs/tip_window.h"

#include "dialogs/tips.h"
#include "settings/preferences.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <utility>

namespace velmora {

namespace {

constexpr const wchar_t* kNotFoundText =
    L"That the vlmtips.txt file was not found? \r\n\r\n"
    L"Create a text file named vlmtips.txt using NotePad with 1 tip per line. Then place it in the same directory "
    L"as the application. ";

// Layout in twips: the picture area on the left with the check box below it, the buttons on the
// right.
constexpr TwipsRect kPictureArea{120, 120, 3960, 2715};
constexpr TwipsRect kImage1At{240, 240, 480, 480};
constexpr TwipsRect kLabel1At{840, 330, 3120, 300};
constexpr TwipsRect kLblTipTextAt{240, 840, 3720, 1875};
constexpr TwipsRect kCmdOKAt{4200, 120, 1095, 375};
constexpr TwipsRect kCmdNextTipAt{4200, 600, 1095, 375};
constexpr TwipsRect kChkLoadTipsAtStartupAt{120, 2940, 3960, 300};
constexpr int kClientWidth = 5415;
constexpr int kClientHeight = 3285;

constexpr UINT_PTR kTipTextSubclassId = 1;
// Around the text of a tip that scrolls, where the box's focus rectangle goes.
constexpr int kFocusPad = 30;

}  // namespace

TipWindow::TipWindow(RegistryApi& registry, std::wstring programName, std::wstring tipsFile, bool menuTicked)
    : Dialog(L"VelmoraTip of the Day", kClientWidth, kClientHeight, Placement::CentredOnScreen),
      registry_(registry),
      programName_(std::move(programName)),
      tipsFile_(std::move(tipsFile)),
      menuTicked_(menuTicked),
      showTipsAtStartup_(menuTicked) {}

TipWindow::~TipWindow() {
    DestroyOwnWindow();
}

void TipWindow::Form_Load() {
    // OK first, so that it has the focus when the window opens.
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCmdOKAt);
    AddControl(L"BUTTON", L"&Next Tip", WS_TABSTOP | BS_PUSHBUTTON, kCmdNextTip, kCmdNextTipAt);
    HWND image1 = AddControl(L"STATIC", L"", SS_ICON, kImage1, kImage1At);
    ::SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_INFORMATION)), 0);
    boldFont_ = CreateMessageFont(true);
    HWND label1 = AddControl(L"STATIC", L"Did you know...", SS_LEFT | SS_NOPREFIX, kLabel1, kLabel1At);
    ::SendMessageW(label1, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    // SS_NOTIFY: the box takes the mouse, for its scroll bar and the wheel.
    HWND tipText = AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kLblTipText, kLblTipTextAt);
    ::SetWindowSubclass(tipText, &TipWindow::TipTextProc, kTipTextSubclassId, reinterpret_cast<DWORD_PTR>(this));
    AddControl(L"BUTTON", L"&Show Tips at Startup", WS_TABSTOP | BS_AUTOCHECKBOX, kChkLoadTipsAtStartup,
               kChkLoadTipsAtStartupAt);

    // The box starts unticked, so taking over a ticked menu item is a change: its click runs.
    if (menuTicked_) {
        ::CheckDlgButton(hwnd_, kChkLoadTipsAtStartup, BST_CHECKED);
        chkLoadTipsAtStartup_Click();
    }

    random_.seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    tips_.clear();
    currentTip_ = 0;
    if (!LoadTips(tipsFile_)) ShowTipText(kNotFoundText);
}

void TipWindow::Form_QueryUnload() {
    showTipsAtStartup_ = CheckBoxTicked();
}

void TipWindow::chkLoadTipsAtStartup_Click() {
    StoreShowTipsAtStartup(registry_, programName_, CheckBoxTicked());
}

bool TipWindow::LoadTips(const std::wstring& path) {
    if (!ReadTipsFile(path, tips_)) return false;
    ShowRandomTip();
    return true;
}

void TipWindow::ShowRandomTip() {
    currentTip_ = RandomTipNumber(random_, static_cast<int>(tips_.size()));
    DisplayCurrentTip();
}

void TipWindow::DisplayCurrentTip() {
    if (tips_.empty() || currentTip_ < 1 || currentTip_ > static_cast<int>(tips_.size())) return;
    ShowTipText(tips_[static_cast<size_t>(currentTip_ - 1)]);
}

bool TipWindow::CheckBoxTicked() const {
    return ::IsDlgButtonChecked(hwnd_, kChkLoadTipsAtStartup) == BST_CHECKED;
}

RECT TipWindow::PictureArea() const {
    return {Px(kPictureArea.left), Px(kPictureArea.top), Px(kPictureArea.left + kPictureArea.width),
            Px(kPictureArea.top + kPictureArea.height) + grow_};
}

// --- The tip's box ----------------------------------------------------------------------------

void TipWindow::ShowTipText(std::wstring text) {
    tipText_ = std::move(text);
    ::SetDlgItemTextW(hwnd_, kLblTipText, tipText_.c_str());
    topLine_ = 0;
    FitTipText();
}

void TipWindow::FitTipText() {
    HWND box = Item(kLblTipText);
    const int width = Px(kLblTipTextAt.width);
    const int boxHeight = Px(kLblTipTextAt.height);
    const int lineHeight = TipLineHeight();
    // The window may grow until it is as tall as the work area of its screen.
    RECT frame{};
    ::GetWindowRect(hwnd_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    {
        // The lines are measured with the font the box paints them in.
        const WindowDc dc(box);
        const SelectedObject tipFont(dc.get(), font());
        lines_ = WrapTipText(dc.get(), width);
        const int needed = static_cast<int>(std::min<size_t>(lines_.size(), INT_MAX / lineHeight)) * lineHeight;
        const int room = std::max(0, static_cast<int>(work.bottom - work.top - (frame.bottom - frame.top)) + grow_);
        grow_ = std::clamp(needed - boxHeight, 0, room);
        scrolls_ = needed > boxHeight + grow_;
        // Beside a scroll bar the lines are shorter.
        if (scrolls_) lines_ = WrapTipText(dc.get(), width - ::GetSystemMetrics(SM_CXVSCROLL) - 2 * Px(kFocusPad));
    }

    // The box, the picture area around it, the check box under it and the window grow together.
    ::SetWindowPos(box, nullptr, 0, 0, width, boxHeight + grow_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(Item(kChkLoadTipsAtStartup), nullptr, Px(kChkLoadTipsAtStartupAt.left),
                   Px(kChkLoadTipsAtStartupAt.top) + grow_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetClientSize(hwnd_, Px(kClientWidth), Px(kClientHeight) + grow_);
    // Kept on the work area: a taller window moves up as far as it must.
    ::GetWindowRect(hwnd_, &frame);
    if (frame.bottom > work.bottom) {
        const LONG top = std::max(work.top, work.bottom - (frame.bottom - frame.top));
        ::SetWindowPos(hwnd_, nullptr, frame.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Only a box that scrolls has a scroll bar and a place in the Tab order.
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    scroll.nMax = scrolls_ ? static_cast<int>(lines_.size()) - 1 : 0;
    scroll.nPage = scrolls_ ? static_cast<UINT>(TipLinesInView()) : 0;
    ::SetScrollInfo(box, SB_VERT, &scroll, FALSE);
    ::ShowScrollBar(box, SB_VERT, scrolls_);
    const LONG_PTR style = ::GetWindowLongPtrW(box, GWL_STYLE);
    ::SetWindowLongPtrW(box, GWL_STYLE, scrolls_ ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    if (!scrolls_ && ::GetFocus() == box) {
        ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kCmdNextTip)), TRUE);
    }
    ScrollTipTextTo(0);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::vector<TipWindow::Line> TipWindow::WrapTipText(HDC dc, int width) const {
    // Each line ends at a line break, or after the last space that fits (the spaces there are not
    // shown), or inside a word too long for a line. Only a little more than a line is measured
    // at a time, so that a very long tip takes time in proportion to its length.
    std::vector<Line> lines;
    const std::wstring& text = tipText_;
    size_t at = 0;
    size_t guess = 64;
    while (at < text.size()) {
        const size_t paragraphEnd = std::min(text.find_first_of(L"\r\n", at), text.size());
        if (at == paragraphEnd) lines.push_back({at, 0});
        while (at < paragraphEnd) {
            const size_t rest = paragraphEnd - at;
            int fit = 0;
            for (;;) {
                const size_t count = std::min(rest, guess);
                SIZE size{};
                ::GetTextExtentExPointW(dc, text.data() + at, static_cast<int>(count), std::max(width, 1), &fit,
                                        nullptr, &size);
                if (static_cast<size_t>(fit) < count || count == rest) break;
                guess *= 2;
            }
            guess = std::max<size_t>(64, 2 * static_cast<size_t>(fit));
            if (static_cast<size_t>(fit) >= rest) {
                lines.push_back({at, rest});
                at = paragraphEnd;
                break;
            }
            size_t end = at + static_cast<size_t>(std::max(fit, 1));
            if (end > at + 1 && IS_HIGH_SURROGATE(text[end - 1])) --end;  // a pair stays together
            if (text[end] != L' ') {
                size_t space = end;
                while (space > at && text[space - 1] != L' ') --space;
                if (space > at) end = space;
            }
            size_t length = end - at;
            while (length > 0 && text[at + length - 1] == L' ') --length;
            lines.push_back({at, length});
            at = end;
            while (at < paragraphEnd && text[at] == L' ') ++at;
        }
        // CR LF is one line break; a text ending with a line break has no empty line after it.
        if (at < text.size()) at += text.compare(at, 2, L"\r\n") == 0 ? 2 : 1;
    }
    return lines;
}

int TipWindow::TipLineHeight() const {
    HWND box = Item(kLblTipText);
    const WindowDc dc(box);
    const SelectedObject tipFont(dc.get(), font());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

int TipWindow::TipLinesInView() const {
    RECT area{};
    ::GetClientRect(Item(kLblTipText), &area);
    return std::max(1, static_cast<int>(area.bottom - (scrolls_ ? 2 * Px(kFocusPad) : 0)) / TipLineHeight());
}

void TipWindow::ScrollTipTextTo(int line) {
    const int last = std::max(0, static_cast<int>(lines_.size()) - TipLinesInView());
    const int top = scrolls_ ? std::clamp(line, 0, last) : 0;
    HWND box = Item(kLblTipText);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_POS;
    scroll.nPos = top;
    if (scrolls_) ::SetScrollInfo(box, SB_VERT, &scroll, TRUE);
    if (top == topLine_) return;
    topLine_ = top;
    ::InvalidateRect(box, nullptr, TRUE);
}

LRESULT CALLBACK TipWindow::TipTextProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    auto& window = *reinterpret_cast<TipWindow*>(self);
    switch (message) {
    case WM_PAINT:
        return window.OnTipTextPaint();
    case WM_PRINTCLIENT:
        window.PaintTipText(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // painted whole in WM_PAINT
    // A static control takes the mouse over all of itself; the scroll bar must get its share.
    case WM_NCHITTEST:
        return ::DefWindowProcW(box, message, wParam, lParam);
    case WM_VSCROLL:
        return window.OnTipTextScroll(LOWORD(wParam));
    case WM_MOUSEWHEEL:
        window.OnTipTextWheel(wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        return window.OnTipTextKey(wParam);
    case WM_LBUTTONDOWN:
        if (window.scrolls_) ::SetFocus(box);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        ::InvalidateRect(box, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(box, &TipWindow::TipTextProc, kTipTextSubclassId);
        break;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

void TipWindow::PaintTipText(HDC dc) {
    HWND box = Item(kLblTipText);
    RECT area{};
    ::GetClientRect(box, &area);
    // The colours the window gives its labels.
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    ::FillRect(dc, &area, brush ? brush : ::GetSysColorBrush(COLOR_WINDOW));
    const SelectedObject tipFont(dc, font());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const int lineHeight = TipLineHeight();
    const int pad = scrolls_ ? Px(kFocusPad) : 0;
    for (size_t index = static_cast<size_t>(topLine_), row = 0;
         index < lines_.size() && pad + static_cast<int>(row) * lineHeight < area.bottom; ++index, ++row) {
        const int top = pad + static_cast<int>(row) * lineHeight;
        RECT place{pad, top, area.right - pad, std::min(top + lineHeight, static_cast<int>(area.bottom) - pad)};
        ::DrawTextW(dc, tipText_.data() + lines_[index].start, static_cast<int>(lines_[index].length), &place,
                    DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    }
    ::SetBkMode(dc, oldMode);
    // As the system's own controls do: no focus rectangle until the keyboard is used.
    const bool focusHidden = (::SendMessageW(box, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (::GetFocus() == box && !focusHidden) ::DrawFocusRect(dc, &area);
}

LRESULT TipWindow::OnTipTextPaint() {
    const PaintDc dc(Item(kLblTipText));
    PaintTipText(dc.get());
    return 0;
}

LRESULT TipWindow::OnTipTextScroll(int request) {
    const int page = TipLinesInView();
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(Item(kLblTipText), SB_VERT, &scroll);
    switch (request) {
    case SB_LINEUP:
        ScrollTipTextTo(topLine_ - 1);
        break;
    case SB_LINEDOWN:
        ScrollTipTextTo(topLine_ + 1);
        break;
    case SB_PAGEUP:
        ScrollTipTextTo(topLine_ - page);
        break;
    case SB_PAGEDOWN:
        ScrollTipTextTo(topLine_ + page);
        break;
    case SB_TOP:
        ScrollTipTextTo(0);
        break;
    case SB_BOTTOM:
        ScrollTipTextTo(INT_MAX);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTipTextTo(scroll.nTrackPos);
        break;
    }
    return 0;
}

LRESULT TipWindow::OnTipTextKey(WPARAM key) {
    const int requests[][2] = {{VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
                               {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
    for (const auto& [pressed, request] : requests) {
        if (key == static_cast<WPARAM>(pressed)) return OnTipTextScroll(request);
    }
    return 0;
}

void TipWindow::OnTipTextWheel(WPARAM wParam) {
    if (!scrolls_) return;
    UINT perNotch = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam);
    const int lines = perNotch == WHEEL_PAGESCROLL ? TipLinesInView() : static_cast<int>(perNotch);
    ScrollTipTextTo(topLine_ - notches * lines / WHEEL_DELTA);
}

bool TipWindow::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED || !control) return false;
    switch (id) {
    case kCmdNextTip:
        cmdNextTip_Click();
        return true;
    case kChkLoadTipsAtStartup:
        chkLoadTipsAtStartup_Click();
        return true;
    }
    return false;
}

INT_PTR TipWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_MOUSEWHEEL:
        // The wheel scrolls the tip wherever the focus is.
        OnTipTextWheel(wParam);
        handled = true;
        return 0;
    case WM_PAINT: {
        // The picture area: a sunken box in the window's background colour (white).
        const PaintDc dc(hwnd_);
        RECT area = PictureArea();
        ::DrawEdge(dc.get(), &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        ::FillRect(dc.get(), &area, ::GetSysColorBrush(COLOR_WINDOW));
        handled = true;
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // The icon and the two labels stand on the picture area; the check box does not.
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != kImage1 && id != kLabel1 && id != kLblTipText) return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        handled = true;
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    }
    }
    return 0;
}

}  // namespace velmora
