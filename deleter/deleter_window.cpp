#include "deleter/deleter_window.h"

#include "common/ui_metrics.h"
#include "deleter/delete_all_buttons.h"
#include "deleter/resource.h"

namespace velmora {

namespace {

const wchar_t* const kWindowClass = L"VelmoraButtonDeleterForm";

// Layout in twips.
constexpr int kClientWidth = 6600;
constexpr int kClientHeight = 3300;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

// The window goes first, while the bold font its heading shows still exists.
DeleterWindow::~DeleterWindow() {
    DestroyOwnWindow();
}

HWND DeleterWindow::Create(HINSTANCE instance) {
    const int dpi = ScreenDpi();
    if (!CreateFrame(kWindowClass, kDeleterCaption, kWindowStyle, UniqueHmenu(),
                     ::LoadIconW(instance, MAKEINTRESOURCEW(1)), TwipsToPixels(kClientWidth, dpi),
                     TwipsToPixels(kClientHeight, dpi))) {
        return nullptr;
    }
    CentreWindow(hwnd_, nullptr);
    return hwnd_;
}

LRESULT DeleterWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Form_Load();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_COMMAND1 && HIWORD(wParam) == BN_CLICKED) {
            Command1_Click();
            return 0;
        }
        break;
    case WM_DESTROY:
        if (quitOnClose_) ::PostQuitMessage(0);
        return 0;
    }
    return FrameWindow::HandleMessage(message, wParam, lParam);
}

void DeleterWindow::Form_Load() {
    boldFont_ = CreateMessageFont(true);
    AddControl(L"BUTTON", L"", BS_GROUPBOX, IDC_FRAME1, {120, 60, 6360, 2400});
    HWND heading = AddControl(L"STATIC", kDeleterHeading, SS_LEFT, IDC_LABEL2, {300, 240, 6000, 480});
    ::SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    AddControl(L"STATIC", kDeleterAdvice, SS_LEFT, IDC_LABEL1, {300, 780, 6000, 1560});
    HWND button =
        AddControl(L"BUTTON", kDeleteButtonText, WS_TABSTOP | BS_DEFPUSHBUTTON, IDC_COMMAND1, {1980, 2640, 2640, 450});
    ::SetFocus(button);
}

void DeleterWindow::Command1_Click() {
    DeleteAllAddedButtons(stores_, prompts_);
}

}  // namespace velmora
