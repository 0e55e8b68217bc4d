#include "mainwindow/icon_library_window.h"
#include "buttons/file_places.h"

#include "buttons/button_list.h"
#include "common/unique_handles.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int kClientWidth = 2265;
constexpr int kClientHeight = 2565;
constexpr TwipsRect kToolbar1{120, 90, 2070, 2010};
constexpr TwipsRect kCommand1{255, 2160, 855, 315};
constexpr TwipsRect kCommand2{1155, 2160, 855, 315};
constexpr int kIconsPerRow = 5;

}  // namespace

IconLibraryWindow::IconLibraryWindow(std::wstring programFolder, int pressed)
    : Dialog(L"", kClientWidth, kClientHeight, Placement::CentredOnOwner, WS_POPUP | WS_DLGFRAME | DS_MODALFRAME),
      programFolder_(std::move(programFolder)),
      pressed_(pressed) {}

IconLibraryWindow::~IconLibraryWindow() {
    DestroyOwnWindow();  // the toolbar lets go of the images before they go
}

void IconLibraryWindow::OnInit() {
    const int iconSize = MulDiv(20, dpi(), 96);
    images_.reset(::ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, kLibraryIconCount, 0));
    for (int number = 1; number <= kLibraryIconCount; ++number) {
        const std::wstring file = LibraryHotIconFile(programFolder_, number);
        UniqueHicon icon(
            static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, iconSize, iconSize, LR_LOADFROMFILE)));
        // A missing file keeps its place, so that button n stays icon n.
        if (!icon) {
            const BYTE transparent[4] = {0xFF, 0xFF, 0xFF, 0xFF};
            const BYTE black[4] = {};
            icon.reset(::CreateIcon(nullptr, 1, 1, 1, 1, transparent, black));
        }
        ::ImageList_AddIcon(images_.get(), icon.get());
    }

    // A tab stop, the first: the keyboard reaches the icons (KeyboardProc), and the window opens
    // with them.
    HWND toolbar =
        AddControl(TOOLBARCLASSNAMEW, L"",
                   WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                   kToolbarId, kToolbar1);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    ::SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(iconSize, iconSize));
    // Five rows of five: each button a fifth of the toolbar.
    ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                   MAKELPARAM(Px(kToolbar1.width) / kIconsPerRow, Px(kToolbar1.height) / kIconsPerRow));
    TBBUTTON buttons[kLibraryIconCount] = {};
    for (int i = 0; i < kLibraryIconCount; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = i + 1;
        buttons[i].fsStyle = BTNS_CHECKGROUP;
        buttons[i].fsState = TBSTATE_ENABLED;
        if ((i + 1) % kIconsPerRow == 0) buttons[i].fsState |= TBSTATE_WRAP;
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, kLibraryIconCount, reinterpret_cast<LPARAM>(buttons));

    // Form_Load: the current library icon is the one pressed.
    if (pressed_ >= 1 && pressed_ <= kLibraryIconCount) ::SendMessageW(toolbar, TB_CHECKBUTTON, pressed_, TRUE);
    ::SetWindowSubclass(toolbar, &IconLibraryWindow::KeyboardProc, 0, 0);

    AddControl(L"BUTTON", L"Cancel", WS_TABSTOP, IDCANCEL, kCommand1);
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCommand2);
}

LRESULT CALLBACK IconLibraryWindow::KeyboardProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR) {
    switch (message) {
    case WM_GETDLGCODE:
        // The arrows move between the icons; Enter and Esc stay the dialog's (OK and Cancel).
        return ::DefSubclassProc(toolbar, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        // As in a group of option buttons, the arrows press the next icon: left and right along
        // the five rows of five, up and down a row. Space chooses the icon pressed, as Enter does.
        int pressed = 1;
        for (int number = 1; number <= kLibraryIconCount; ++number) {
            if (::SendMessageW(toolbar, TB_ISBUTTONCHECKED, number, 0)) pressed = number;
        }
        int next = pressed;
        switch (wParam) {
        case VK_LEFT:
            next = pressed - 1;
            break;
        case VK_RIGHT:
            next = pressed + 1;
            break;
        case VK_UP:
            next = pressed > kIconsPerRow ? pressed - kIconsPerRow : pressed;
            break;
        case VK_DOWN:
            next = pressed + kIconsPerRow <= kLibraryIconCount ? pressed + kIconsPerRow : pressed;
            break;
        case VK_HOME:
            next = 1;
            break;
        case VK_END:
            next = kLibraryIconCount;
            break;
        case VK_SPACE:
            ::SendMessageW(::GetParent(toolbar), WM_COMMAND, IDOK, 0);
            return 0;
        default:
            return ::DefSubclassProc(toolbar, message, wParam, lParam);
        }
        next = std::clamp(next, 1, kLibraryIconCount);
        ::SendMessageW(toolbar, TB_CHECKBUTTON, pressed, FALSE);
        ::SendMessageW(toolbar, TB_CHECKBUTTON, next, TRUE);
        return 0;
    }
    case WM_CHAR:
        if (wParam == L' ') return 0;  // chosen at the key's press
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(toolbar, &IconLibraryWindow::KeyboardProc, 0);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(toolbar, message, wParam, lParam);
}

INT_PTR IconLibraryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (message == WM_NOTIFY) {
        // Each icon's name, shown as its tip and read by a screen reader: "Icon 1" to "Icon 25".
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (tip->hdr.code == TTN_GETDISPINFOW && tip->hdr.idFrom >= 1 && tip->hdr.idFrom <= kLibraryIconCount) {
            ::wsprintfW(tip->szText, L"Icon %d", static_cast<int>(tip->hdr.idFrom));
            tip->lpszText = tip->szText;
            handled = true;
        }
    }
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
        ::SendMessageW(toolbar(), message, wParam, lParam);
    }
    return 0;
}

void IconLibraryWindow::OnOK() {
    for (int number = 1; number <= kLibraryIconCount; ++number) {
        if (::SendMessageW(toolbar(), TB_ISBUTTONCHECKED, number, 0)) chosen_ = number;
    }
    Close(IDOK);
}

void IconLibraryWindow::OnCancel() {
    chosen_ = 0;
    Close(IDCANCEL);
}

}  // namespace velmora
