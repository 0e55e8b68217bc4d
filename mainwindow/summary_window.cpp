#include "mainwindow/summary_window.h"

#include <algorithm>

namespace velmora {

namespace {

// Layout in twips; the height follows the text.
constexpr int kWidth = 7200;
constexpr int kEdge = 180;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

// The system's picture for a message box's icon style.
HICON SystemIcon(UINT icon) {
    switch (icon & MB_ICONMASK) {
    case MB_ICONINFORMATION:
        return ::LoadIconW(nullptr, IDI_INFORMATION);
    case MB_ICONEXCLAMATION:
        return ::LoadIconW(nullptr, IDI_WARNING);
    case MB_ICONSTOP:
        return ::LoadIconW(nullptr, IDI_ERROR);
    case MB_ICONQUESTION:
        return ::LoadIconW(nullptr, IDI_QUESTION);
    default:
        return nullptr;
    }
}

void Place(HWND control, int left, int top, int width, int height) {
    ::SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

SummaryWindow::SummaryWindow(std::wstring title, std::wstring text, UINT icon)
    : Dialog(std::move(title), kWidth, kButtonHeight + 3 * kEdge, Placement::CentredOnOwner),
      text_(std::move(text)),
      icon_(icon) {}

SummaryWindow::~SummaryWindow() {
    DestroyOwnWindow();
}

int SummaryWindow::TextHeight(int width) const {
    const WindowDc dc(hwnd_);
    const SelectedObject textFont(dc.get(), font());
    RECT needed{0, 0, width, 0};
    ::DrawTextW(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &needed,
                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    return needed.bottom - needed.top;
}

void SummaryWindow::Form_Load() {
    // "OK" comes first in the order of the Tab key: the window starts on it, not on the text,
    // which a focused box would select.
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {});
    HICON icon = SystemIcon(icon_);
    const int edge = Px(kEdge);
    const int iconSize = ::GetSystemMetrics(SM_CYICON);
    if (icon) {
        HWND image = AddControl(L"STATIC", L"", SS_ICON, kImage1, {});
        ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        Place(image, edge, edge, ::GetSystemMetrics(SM_CXICON), iconSize);
    }

    // The text is measured as narrow as a box with a frame and a scroll bar shows it: a box
    // without them wraps it no more.
    const int textLeft = icon ? 2 * edge + ::GetSystemMetrics(SM_CXICON) : edge;
    const int textWidth = Px(kWidth) - textLeft - edge;
    const int frame = 2 * ::GetSystemMetrics(SM_CXEDGE);
    const int needed = TextHeight(textWidth - frame - ::GetSystemMetrics(SM_CXVSCROLL)) + 2;

    // At most half the work area of the owner's screen, frame and caption included.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner() ? owner() : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    const int chrome = (outer.bottom - outer.top) - (client.bottom - client.top);
    const int tallest = (monitor.rcWork.bottom - monitor.rcWork.top) / 2 - chrome;
    const int room = std::max(iconSize, tallest - 3 * edge - Px(kButtonHeight) - frame);
    scrolls_ = needed > room;
    const int textHeight = scrolls_ ? room : std::max(needed, iconSize);

    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_READONLY;
    if (scrolls_) style |= WS_VSCROLL;
    HWND text = AddControl(L"EDIT", text_, style, kText1, {}, scrolls_ ? WS_EX_CLIENTEDGE : 0);
    // No margins: the text stands where it was measured.
    ::SendMessageW(text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    Place(text, textLeft, edge, textWidth, textHeight + (scrolls_ ? frame : 0));

    const int clientHeight = edge + textHeight + (scrolls_ ? frame : 0) + edge + Px(kButtonHeight) + edge;
    Place(Item(IDOK), Px(kWidth) - edge - Px(kButtonWidth), clientHeight - edge - Px(kButtonHeight), Px(kButtonWidth),
          Px(kButtonHeight));
    SetClientSize(hwnd_, Px(kWidth), clientHeight);
}

}  // namespace velmora
