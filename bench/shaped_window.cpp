#include "bench/shaped_window.h"
#include "buttons/file_places.h"

#include "bench/button_mix.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/main_window_layout.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>

namespace velmora::bench {

using namespace layout;

namespace {

// The editor's caption and style.
const wchar_t* const kCaption = L"Velmora";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kButtonSlots = 20;  // the editor's count of buttons
constexpr int kSmallIconSize = 16;

// The drop target the window is registered with; every drag over it is refused.
class RefusingDropTarget final : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return Refuse(effect); }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Refuse(effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override { return Refuse(effect); }

private:
    ~RefusingDropTarget() = default;
    static HRESULT Refuse(DWORD* effect) {
        if (!effect) return E_INVALIDARG;
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    LONG references_ = 1;
};

// A button's small icon, taken as the editor takes it: a library icon read from its file at the
// list's size, a program's or an icon file's own small icon through the shell.
UniqueHicon SmallIcon(const MixedButton& button, const std::wstring& folder) {
    if (button.kind == IconKind::Library) {
        const std::wstring file = LibraryHotIconFile(folder, button.number);
        return UniqueHicon(static_cast<HICON>(
            ::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, kSmallIconSize, kSmallIconSize, LR_LOADFROMFILE)));
    }
    const std::wstring& file = button.kind == IconKind::Program ? button.program : button.iconFile;
    HICON icon = nullptr;
    const UINT count = ::ExtractIconExW(file.c_str(), 0, nullptr, &icon, 1);
    UniqueHicon held(icon);
    if (count == 0 || count == UINT_MAX) return {};
    return held;
}

}  // namespace

ShapedWindow::ShapedWindow(int rows, std::wstring programFolder, bool quitOnClose)
    : rows_(rows), folder_(std::move(programFolder)), quitOnClose_(quitOnClose) {}

ShapedWindow::~ShapedWindow() {
    // The window goes first, with the list that shows the images.
    DestroyOwnWindow();
}

HWND ShapedWindow::Create() {
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    const int dpi = ScreenDpi();
    return CreateFrame(kShapedWindowClass, kCaption, kWindowStyle, CreateMainMenu(), icon,
                       TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));
}

LRESULT ShapedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        CreateControls();
        RECT status{};
        ::GetWindowRect(Item(IDC_STATUSBAR1), &status);
        SetClientSize(hwnd_, Px(kClientWidth), Px(kClientHeight) + (status.bottom - status.top));
        ::SendMessageW(Item(IDC_STATUSBAR1), WM_SIZE, 0, 0);
        CentreWindow(hwnd_, nullptr);
        ::SHAutoComplete(Item(IDC_TEXT1), SHACF_DEFAULT);
        ShowPreview();
        FillList();
        dropTarget_ = ComPtr<IDropTarget>(new RefusingDropTarget);
        dropRegistered_ = SUCCEEDED(::RegisterDragDrop(hwnd_, dropTarget_.get()));
        return 0;
    }
    case WM_ACTIVATE:
        // The focus starts on "Add Button", as in the editor.
        if (LOWORD(wParam) != WA_INACTIVE && !activated_) ::SetFocus(Item(IDC_COMMAND2));
        activated_ = activated_ || LOWORD(wParam) != WA_INACTIVE;
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HICON icon = nullptr;
        if (item.CtlID == IDC_IMAGE1) icon = preview_.get();
        if (item.CtlID == IDC_IMAGE2) icon = dropPicture_.get();
        ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
        if (icon) ::DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return TRUE;
    }
    case WM_DESTROY:
        if (dropRegistered_) ::RevokeDragDrop(hwnd_);
        dropTarget_.reset();
        if (quitOnClose_) ::PostQuitMessage(0);
        return 0;
    }
    return MainWindowShape::HandleMessage(message, wParam, lParam);
}

// The editor's controls, texts and tooltips, in its order and places, made by the same code from
// the same layout table.
void ShapedWindow::CreateControls() {
    images_.reset(::ImageList_Create(kSmallIconSize, kSmallIconSize, ILC_COLOR32 | ILC_MASK, rows_, 8));
    dropPicture_.reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, Px(480), Px(480), 0)));
    CreateLayoutControls(images_.get());

    pop_ = CreateListPopupMenu();

    // The empty editor's look: "Synch All" ticked, "Current User" chosen, "Use Program Icon"
    // off with no file to launch.
    ::SendMessageW(Item(IDC_CHECK2), BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageW(Item(IDC_OPTION1_1), BM_SETCHECK, BST_CHECKED, 0);
    ::EnableWindow(Item(IDC_CHECK1), FALSE);
}

// Library icon 1 in "Selected Icon:", centred in its frame a little low, at the editor's size.
void ShapedWindow::ShowPreview() {
    const std::wstring file = LibraryHotIconFile(folder_, 1);
    preview_.reset(static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 20, 20, LR_LOADFROMFILE)));
    const int size = preview_ ? 20 : 0;
    const RECT frame = PlaceOf(Item(IDC_FRAME4));
    const int left = frame.left + (frame.right - frame.left) / 2 - size / 2;
    const int top = frame.top + (frame.bottom - frame.top) / 2 - size / 2 + Px(kPreviewDrop);
    ::SetWindowPos(Item(IDC_IMAGE1), nullptr, left, top, size, size, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The rows with their icons and columns, the first row selected, and the count in the status
// bar; the buttons that act on a row are off while there is none.
void ShapedWindow::FillList() {
    HWND list = Item(IDC_LISTVIEW1);
    for (int row = 0; row < rows_; ++row) {
        const MixedButton button = MixedButtonAt(row, folder_);
        const UniqueHicon icon = SmallIcon(button, folder_);
        const int image = icon ? ::ImageList_AddIcon(images_.get(), icon.get()) : -1;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(button.program.c_str());
        item.iImage = image >= 0 ? image : I_IMAGENONE;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const std::wstring columns[8] = {button.program,
                                         button.buttonText,
                                         button.menuText,
                                         button.menuStatusBar,
                                         button.allUsers ? L"All Users" : L"Current User",
                                         button.arguments,
                                         button.kind == IconKind::Disk ? L"disk" : L"",
                                         button.link};
        for (int column = 1; column <= 7; ++column) {
            if (columns[column].empty()) continue;
            LVITEMW sub{};
            sub.iSubItem = column;
            sub.pszText = const_cast<wchar_t*>(columns[column].c_str());
            ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
        }
    }
    if (rows_ > 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    }
    const std::wstring count = std::to_wstring(rows_) + L" of " + std::to_wstring(kButtonSlots) + L" buttons";
    ::SendMessageW(Item(IDC_STATUSBAR1), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(count.c_str()));
    for (int id : {IDC_COMMAND4, IDC_COMMAND7, IDC_COMMAND8}) ::EnableWindow(Item(id), rows_ > 0);
}

}  // namespace velmora::bench
