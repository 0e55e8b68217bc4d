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

DeleterWindow::~DeleterWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

HWND DeleterWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DeleterWindow::WndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    ::RegisterClassExW(&windowClass);  // already registered on a second window: fine

    dpi_ = ScreenDpi();
    RECT frame{0, 0, TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;

    if (!::CreateWindowExW(0, kWindowClass, kDeleterCaption, kWindowStyle, left, top, width, height, nullptr,
                           nullptr, instance, this)) {
        hwnd_ = nullptr;
    }
    return hwnd_;
}

LRESULT CALLBACK DeleterWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<DeleterWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DeleterWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
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
        OnDestroy();
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

HWND DeleterWindow::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int left, int top,
                               int width, int height, HFONT font) {
    HWND control = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, TwipsToPixels(left, dpi_),
                                     TwipsToPixels(top, dpi_), TwipsToPixels(width, dpi_),
                                     TwipsToPixels(height, dpi_), hwnd_, reinterpret_cast<HMENU>(INT_PTR{id}),
                                     reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void DeleterWindow::Form_Load() {
    font_ = CreateMessageFont(false);
    boldFont_ = CreateMessageFont(true);
    AddControl(L"BUTTON", L"", BS_GROUPBOX, IDC_FRAME1, 120, 60, 6360, 2400, font_.get());
    AddControl(L"STATIC", kDeleterHeading, SS_LEFT, IDC_LABEL2, 300, 240, 6000, 480, boldFont_.get());
    AddControl(L"STATIC", kDeleterAdvice, SS_LEFT, IDC_LABEL1, 300, 780, 6000, 1560, font_.get());
    HWND button = AddControl(L"BUTTON", kDeleteButtonText, WS_TABSTOP | BS_DEFPUSHBUTTON, IDC_COMMAND1, 1980, 2640,
                             2640, 450, font_.get());
    ::SetFocus(button);
}

void DeleterWindow::Command1_Click() { DeleteAllAddedButtons(settings_, prompts_); }

void DeleterWindow::OnDestroy() {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    if (quitOnClose_) ::PostQuitMessage(0);
}

}  // namespace velmora
