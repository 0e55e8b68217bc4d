#include "dialogs/tip_window.h"

#include "dialogs/tips.h"
#include "settings/preferences.h"

#include <chrono>
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

}  // namespace

TipWindow::TipWindow(RegistryApi& registry, std::wstring programName, std::wstring tipsFile, bool menuTicked)
    : Dialog(L"VelmoraTip of the Day", 5415, 3285, Placement::CentredOnScreen),
      registry_(registry),
      programName_(std::move(programName)),
      tipsFile_(std::move(tipsFile)),
      menuTicked_(menuTicked),
      showTipsAtStartup_(menuTicked) {}

void TipWindow::Form_Load() {
    // OK first, so that it has the focus when the window opens.
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCmdOKAt);
    AddControl(L"BUTTON", L"&Next Tip", WS_TABSTOP | BS_PUSHBUTTON, kCmdNextTip, kCmdNextTipAt);
    HWND image1 = AddControl(L"STATIC", L"", SS_ICON, kImage1, kImage1At);
    ::SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_INFORMATION)), 0);
    boldFont_ = CreateMessageFont(true);
    HWND label1 = AddControl(L"STATIC", L"Did you know...", SS_LEFT | SS_NOPREFIX, kLabel1, kLabel1At);
    ::SendMessageW(label1, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kLblTipText, kLblTipTextAt);
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
    if (!LoadTips(tipsFile_)) ::SetDlgItemTextW(hwnd_, kLblTipText, kNotFoundText);
}

void TipWindow::Form_QueryUnload() { showTipsAtStartup_ = CheckBoxTicked(); }

void TipWindow::chkLoadTipsAtStartup_Click() { StoreShowTipsAtStartup(registry_, programName_, CheckBoxTicked()); }

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
    ::SetDlgItemTextW(hwnd_, kLblTipText, tips_[static_cast<size_t>(currentTip_ - 1)].c_str());
}

bool TipWindow::CheckBoxTicked() const {
    return ::IsDlgButtonChecked(hwnd_, kChkLoadTipsAtStartup) == BST_CHECKED;
}

RECT TipWindow::PictureArea() const {
    return {Px(kPictureArea.left), Px(kPictureArea.top), Px(kPictureArea.left + kPictureArea.width),
            Px(kPictureArea.top + kPictureArea.height)};
}

bool TipWindow::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED || !control) return false;
    switch (id) {
    case kCmdNextTip: cmdNextTip_Click(); return true;
    case kChkLoadTipsAtStartup: chkLoadTipsAtStartup_Click(); return true;
    }
    return false;
}

INT_PTR TipWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_PAINT: {
        // The picture area: a sunken box in the window's background colour (white).
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(hwnd_, &paint);
        RECT area = PictureArea();
        ::DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOW));
        ::EndPaint(hwnd_, &paint);
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
