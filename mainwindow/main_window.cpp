#include "mainwindow/main_window.h"

#include "buttons/stored_layout.h"
#include "buttons/file_places.h"
#include "buttons/path_parts.h"
#include "common/file_paths.h"
#include "mainwindow/check_window.h"
#include "mainwindow/fill_from_file.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/main_window_layout.h"
#include "mainwindow/menu_actions.h"
#include "mainwindow/transfer_menu.h"
#include "settings/preferences.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace velmora {

using namespace layout;

namespace {

const wchar_t* const kWindowClass = L"VelmoraEditorForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct FieldControl {
    int id;
    TextField field;
};
constexpr FieldControl kTextControls[] = {
    {IDC_TEXT1, TextField::Text1}, {IDC_TEXT2, TextField::Text2}, {IDC_TEXT3, TextField::Text3},
    {IDC_TEXT4, TextField::Text4}, {IDC_TEXT5, TextField::Text5},
};

struct CheckControl {
    int id;
    CheckField field;
};
constexpr CheckControl kCheckControls[] = {
    {IDC_CHECK1, CheckField::Check1}, {IDC_CHECK2, CheckField::Check2}, {IDC_CHECK3, CheckField::Check3}};

std::wstring WindowText(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int read = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(read > 0 ? read : 0));
    return text;
}

SIZE IconSize(HICON icon) {
    SIZE size{0, 0};
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return size;
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    BITMAP shape{};
    if (::GetObjectW(mask.get(), sizeof(shape), &shape)) {
        size.cx = shape.bmWidth;
        size.cy = colour ? shape.bmHeight : shape.bmHeight / 2;
    }
    return size;
}

}  // namespace

MainWindow::MainWindow(EditorPrompts& prompts, RegistryApi& registry, ShellApi& shell)
    : prompts_(prompts), registry_(registry), shell_(shell), stores_(registry) {}

MainWindow::~MainWindow() {
    // The window goes first, while the fields it shows still exist.
    DestroyOwnWindow();
}

HWND MainWindow::Create(MainWindowSetup setup) {
    setup_ = std::move(setup);
    fields_ = std::make_unique<EditorFields>(prompts_, stores_.preferences, setup_.programFolder);
    // Where the buttons' own files go is found once: beside the program when its folder can be
    // written, else in the user's or the machine's place.
    operations_ = std::make_unique<ButtonOperations>(list_, stores_, prompts_, FindFilePlaces(setup_.programFolder));
    commands_ = std::make_unique<EditorCommands>(*fields_, *operations_, list_, prompts_, stores_.preferences,
                                                 setup_.programFolder);
    commands_->focus = [this](const FocusRequest& request) { MoveFocus(request); };

    const int dpi = ScreenDpi();
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return CreateFrame(kWindowClass, kMainCaption, kWindowStyle, CreateMainMenu(), icon,
                       TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));
}

bool MainWindow::showTipsMenuTicked() const {
    return (::GetMenuState(::GetMenu(hwnd_), ID_MNUHELPTIPSSU, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        CreateControls();
        // The status bar sits below the laid-out area.
        RECT status{};
        ::GetWindowRect(Item(IDC_STATUSBAR1), &status);
        SetClientSize(hwnd_, Px(kClientWidth), Px(kClientHeight) + (status.bottom - status.top));
        ::SendMessageW(Item(IDC_STATUSBAR1), WM_SIZE, 0, 0);
        CentreWindow(hwnd_, nullptr);
        return Form_Load() ? 0 : -1;
    }
    case WM_ACTIVATE:
        Form_Activate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case DropArea::kRunDropMessage:
        if (dropArea_) dropArea_->RunPendingDrop();
        return 0;
    case kKeepCurrentRowMessage:
        KeepCurrentRow();
        return 0;
    case DM_GETDEFID:
        // Enter in this window, as in a dialog: the focused button is pressed, and on the list the
        // current row is loaded, as a double click does.
        return DefaultCommand();
    case WM_CONTEXTMENU:
        // Shift+F10 or the menu key on the list: its menu at the current row. (A right click on a
        // row has opened it already.)
        if (reinterpret_cast<HWND>(wParam) == Item(IDC_LISTVIEW1) && lParam == -1 && CurrentRow() >= 0) {
            ShowListPopup(CurrentRowCorner());
        }
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The common controls learn of a new theme or high contrast only from their parent.
        for (int id : {IDC_LISTVIEW1, IDC_STATUSBAR1}) ::SendMessageW(Item(id), message, wParam, lParam);
        ::InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_TIMER:
        if (wParam == kTimer2Id && tutorial_) tutorial_->Timer2_Timer();
        return 0;
    case WM_CLOSE:
        Form_QueryUnload();
        return 0;
    case WM_DESTROY:
        dropArea_.reset();  // its registration goes while the window still exists
        if (setup_.quitOnClose) ::PostQuitMessage(0);
        return 0;
    }
    return FrameWindow::HandleMessage(message, wParam, lParam);
}

void MainWindow::CreateControls() {
    dropPicture_.reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, Px(480), Px(480), 0)));
    if (!dropPicture_) dropPicture_.reset(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
    CreateLayoutControls(images_.handle());

    pop_ = CreateListPopupMenu();
    commands_->listChanged = [this](int current) { ShowList(current); };
    fields_->changed = [this] { ShowFields(); };
    fields_->previewChanged = [this] { CentreImage1(); };
    ShowFields();
}

// --- Start-up and shutdown ------------------------------------------------------------------

bool MainWindow::Form_Load() {
    firstActivation_ = true;
    prompts_.SetOwner(hwnd_);
    if (setup_.anotherInstanceRunning()) {
        prompts_.Message(kAlreadyOpenText, kMainCaption, MB_OK);
        return false;
    }
    EnableAutoComplete(Item(IDC_TEXT1));
    if (!FolderExists(IconsFolderOf(setup_.programFolder))) {
        prompts_.Message(kNoIconFolderText, kProblemTitle, MB_OK | MB_ICONSTOP);
        return false;
    }
    fields_->LibraryIconNumber = 1;
    fields_->ShowLibraryIcon(1);

    images_.LoadLibraryIcons(operations_->programFolder());
    // A command from the command line that is still changing the buttons leaves half-written
    // slots: the editor does not list them, and says so.
    if (!operations_->LoadAtStartup()) return false;
    ShowList();
    // The list's mouse is followed from here on: filling the list through the subclass would add
    // a lookup of its properties to every row's messages.
    ::SetWindowSubclass(Item(IDC_LISTVIEW1), &MainWindow::ListViewProc, 0, reinterpret_cast<DWORD_PTR>(this));

    showTipOfTheDay_ = ReadShowTipsAtStartup(registry_, setup_.programName);
    if (!showTipOfTheDay_) SetTipsTick(false);
    windowsBuild_ = setup_.windowsBuild();
    windowsNoticeDue_ = LacksInternetExplorer(windowsBuild_);
    RegisterDropArea();
    return true;
}

void MainWindow::Show(int showCommand) {
    // The window first, then what the start-up has to say, owned by it: on Windows 11 that no
    // browser there shows the buttons, the tip of the day, then the file named on the command line,
    // filled as if it had been dropped (with its notices).
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
    ShowStartupMessages();
}

void MainWindow::ShowStartupMessages() {
    if (std::exchange(windowsNoticeDue_, false) && NoticeWanted(stores_.preferences, Notice::Windows11))
        prompts_.ShowNotice(Notice::Windows11);
    if (std::exchange(showTipOfTheDay_, false)) SetTipsTick(prompts_.ShowTipOfTheDay(showTipsMenuTicked()));
    if (!setup_.commandLine.empty())
        FillFromFile(*fields_, prompts_, stores_.preferences, std::exchange(setup_.commandLine, {}));
}

void MainWindow::RegisterDropArea() {
    // The frame, picture and label of "Drop Target:" are one target; "File to Launch" takes
    // dropped text as if it were typed, and fills nothing else.
    dropArea_ = std::make_unique<DropArea>(
        hwnd_,
        std::vector<DropZone>{
            {{Item(IDC_FRAME7), Item(IDC_IMAGE2), Item(IDC_LABEL6)},
             [this](const std::wstring& path) {
                 if (DropOnEditor(*fields_, prompts_, stores_.preferences, path)) ::SetFocus(Item(IDC_COMMAND2));
             }},
            {{Item(IDC_TEXT1)}, [this](const std::wstring& text) { fields_->UserTyped(TextField::Text1, text); }},
        });
}

void MainWindow::EnableAutoComplete(HWND textField) {
    // Completion of file-system paths while typing; the field works as well without it.
    ::SHAutoComplete(textField, SHACF_DEFAULT);
}

void MainWindow::Form_Activate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    if (firstActivation_) {
        firstActivation_ = false;
        ::SetFocus(Item(IDC_COMMAND2));
    } else if (lastFocus_ && ::IsWindow(lastFocus_)) {
        ::SetFocus(lastFocus_);
    }
}

void MainWindow::Form_QueryUnload() {
    // Every window of the program is owned by this one and goes with it.
    ::DestroyWindow(hwnd_);
}

// --- Commands -------------------------------------------------------------------------------

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (code == EN_CHANGE) {
        if (showingFields_) return;
        for (const FieldControl& text : kTextControls) {
            if (text.id == id) fields_->UserTyped(text.field, WindowText(control));
        }
        return;
    }
    if (code != BN_CLICKED) return;  // also 0 for menu items, which come as BN_CLICKED
    for (const CheckControl& check : kCheckControls) {
        if (check.id == id) {
            fields_->UserClicked(check.field);
            return;
        }
    }
    switch (id) {
    case IDC_OPTION1_0:
        fields_->UserChoseScope(true);
        break;
    case IDC_OPTION1_1:
        fields_->UserChoseScope(false);
        break;
    case IDC_COMMAND1:
        fields_->Command1_Click();
        break;
    case IDC_COMMAND3:
        fields_->Command3_Click();
        break;
    case IDC_COMMAND5:
        fields_->Command5_Click();
        break;
    case IDC_COMMAND2:
        commands_->Command2_Click();
        break;
    case IDC_COMMAND4:
        commands_->Command4_Click(ShowCurrentRow());
        break;
    case IDC_COMMAND7:
    case ID_POPED:
        commands_->Command7_Click(ShowCurrentRow());
        break;
    case IDC_COMMAND8:
    case ID_POPDEL:
        commands_->Command8_Click(ShowCurrentRow());
        break;
    case IDC_COMMAND9:
        fields_->Command9_Click();
        break;
    case ID_MNUFILEIE:
        mnufileIE_Click(prompts_);
        break;
    case ID_MNUFILEEXPORT:
        mnuFileExport_Click(prompts_, list_, operations_->filePlaces());
        break;
    case ID_MNUFILEIMPORT:
        // The last button added is the current row.
        mnuFileImport_Click(prompts_, list_, stores_, operations_->filePlaces(),
                            [this] { ShowList(static_cast<int>(list_.rows.size()) - 1); });
        break;
    case ID_MNUFILECHECK:
        mnuFileCheck_Click();
        break;
    case ID_MNUFILEEXIT:
        Form_QueryUnload();
        break;
    case ID_MNUHELPTOPICS:
        mnuHelpTopics_Click(hwnd_, prompts_, shell_, setup_.programFolder);
        break;
    case ID_MNUHELPTUT:
        TutorialWindow::ShowOrActivate(*this, tutorial_);
        break;
    case ID_MNUHELPTIPS:
        SetTipsTick(mnuHelpTips_Click(prompts_, showTipsMenuTicked()));
        break;
    case ID_MNUHELPTIPSSU:
        SetTipsTick(mnuHelpTipsSU_Click(registry_, setup_.programName, showTipsMenuTicked()));
        break;
    case ID_MNUHELPFREESOFT:
        mnuhelpfreesoft_Click(hwnd_, prompts_, shell_);
        break;
    case ID_MNUHELPABT:
        mnuHelpAbt_Click(hwnd_, shell_);
        break;
    default:
        break;
    }
}

void MainWindow::mnuFileCheck_Click() {
    // A repair changes the records behind the list: it is read again as the start-up reads it.
    CheckWindow window(
        registry_, operations_->filePlaces(),
        [this] {
            operations_->LoadAtStartup();
            ShowList(currentRow_);
        },
        windowsBuild_);
    window.ShowModal(hwnd_);
}

// --- Showing the model ----------------------------------------------------------------------

void MainWindow::ShowFields() {
    if (!hwnd_ || !fields_) return;
    // Texts are written only where they differ, so that the field being typed in keeps its caret.
    showingFields_ = true;
    for (const FieldControl& text : kTextControls) {
        HWND control = Item(text.id);
        const std::wstring& value = fields_->Text(text.field);
        if (WindowText(control) != value) ::SetWindowTextW(control, value.c_str());
    }
    showingFields_ = false;
    for (const CheckControl& check : kCheckControls) {
        ::SendMessageW(Item(check.id), BM_SETCHECK, fields_->Check(check.field) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    const bool allUsers = fields_->scopeAllUsers();
    ::SendMessageW(Item(IDC_OPTION1_0), BM_SETCHECK, allUsers ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(Item(IDC_OPTION1_1), BM_SETCHECK, allUsers ? BST_UNCHECKED : BST_CHECKED, 0);
    ::InvalidateRect(Item(IDC_IMAGE1), nullptr, TRUE);
    // The picture's name, for a screen reader: what it shows.
    const std::wstring name = PreviewName();
    if (WindowText(Item(IDC_IMAGE1)) != name) ::SetWindowTextW(Item(IDC_IMAGE1), name.c_str());
    UpdateEnabledStates();
}

std::wstring MainWindow::PreviewName() const {
    const EditorFields& fields = *fields_;
    if (fields.Image1.libraryNumber > 0) return L"Library icon " + std::to_wstring(fields.Image1.libraryNumber);
    if (!fields.Image1.icon) return L"No icon";
    if (fields.Check(CheckField::Check1) == 1) {
        return L"Icon of " + PathPart(fields.Text(TextField::Text1), PathSelector::BaseName);
    }
    return L"Icon file " + PathPart(fields.DiskIconFile, PathSelector::BaseName);
}

int MainWindow::CurrentRow() const {
    const LRESULT row = ::SendMessageW(Item(IDC_LISTVIEW1), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return row >= 0 && row < static_cast<LRESULT>(list_.rows.size()) ? static_cast<int>(row) : -1;
}

void MainWindow::ShowList(int current) {
    HWND list = Item(IDC_LISTVIEW1);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    rowImages_ = images_.Place(list_.rows);
    int index = 0;
    for (const ButtonRow& row : list_.rows) {
        const long long image = rowImages_[index];
        const std::wstring first = row.Column(0);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(first.c_str());
        item.iImage = image >= 1 ? static_cast<int>(image - 1) : I_IMAGENONE;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column <= 7; ++column) {
            const std::wstring text = row.Column(column);
            if (text.empty()) continue;  // a new item's columns are empty already
            LVITEMW sub{};
            sub.iSubItem = column;
            sub.pszText = const_cast<wchar_t*>(text.c_str());
            ::SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
        }
        ++index;
    }
    // The operations act on the current row: there is one whenever the list is not empty.
    SelectRow(current);
    const std::wstring count = std::to_wstring(list_.rows.size()) + L" of " + std::to_wstring(kSlotCount) + L" buttons";
    ::SendMessageW(Item(IDC_STATUSBAR1), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(count.c_str()));
    UpdateEnabledStates();
}

void MainWindow::SelectRow(int row) {
    const int rows = static_cast<int>(list_.rows.size());
    if (rows == 0) return;
    row = std::clamp(row, 0, rows - 1);
    HWND list = Item(IDC_LISTVIEW1);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    currentRow_ = row;
}

int MainWindow::ShowCurrentRow() {
    const int row = CurrentRow();
    if (row >= 0) ::SendMessageW(Item(IDC_LISTVIEW1), LVM_ENSUREVISIBLE, row, FALSE);
    return row;
}

void MainWindow::KeepCurrentRow() {
    keepRowPosted_ = false;
    if (CurrentRow() < 0) SelectRow(currentRow_);
}

void MainWindow::UpdateEnabledStates() {
    const bool anyRow = !list_.rows.empty();
    for (int id : {IDC_COMMAND4, IDC_COMMAND7, IDC_COMMAND8}) ::EnableWindow(Item(id), anyRow);
    ::EnableWindow(Item(IDC_CHECK1), fields_->UseProgramIconEnabled());
}

void MainWindow::CentreImage1() {
    HWND frame = Item(IDC_FRAME4);
    HWND image = Item(IDC_IMAGE1);
    if (!frame || !image) return;
    RECT frameRect{};
    ::GetWindowRect(frame, &frameRect);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&frameRect), 2);
    const SIZE size = IconSize(fields_->Image1.icon.get());
    const int left = frameRect.left + (frameRect.right - frameRect.left) / 2 - size.cx / 2;
    const int top = frameRect.top + (frameRect.bottom - frameRect.top) / 2 - size.cy / 2 + Px(kPreviewDrop);
    ::SetWindowPos(image, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(image, nullptr, TRUE);
}

// --- The list's mouse ------------------------------------------------------------------------

void MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_LISTVIEW1) return;
    if (header.code == LVN_ITEMCHANGED) {
        // The row the user chose stays current: a click on the list's empty space, or Ctrl with
        // Space or a click, would leave none, and the commands on the current row nothing to act
        // on. It is chosen again once the list has finished with the click.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!(change.uChanged & LVIF_STATE)) return;
        if ((change.uNewState & LVIS_SELECTED) && change.iItem >= 0) currentRow_ = change.iItem;
        if ((change.uOldState & LVIS_SELECTED) && !(change.uNewState & LVIS_SELECTED) && !keepRowPosted_) {
            keepRowPosted_ = ::PostMessageW(hwnd_, kKeepCurrentRowMessage, 0, 0) != FALSE;
        }
        return;
    }
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    // A right click on a row opens the list's menu; a double click on a row loads it. On empty
    // space below the rows neither does anything.
    if (header.code == NM_RCLICK && activate.iItem >= 0) {
        POINT mouse{};
        ::GetCursorPos(&mouse);
        ShowListPopup(mouse);
    }
    if (header.code == NM_DBLCLK && activate.iItem >= 0) commands_->Command7_Click(CurrentRow());
}

void MainWindow::ShowListPopup(POINT at) {
    ::TrackPopupMenu(pop_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

POINT MainWindow::CurrentRowCorner() const {
    // The bottom-left corner of the current row's text, on the screen, the row scrolled into view.
    HWND list = Item(IDC_LISTVIEW1);
    RECT place{};
    place.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_ENSUREVISIBLE, CurrentRow(), FALSE);
    ::SendMessageW(list, LVM_GETITEMRECT, CurrentRow(), reinterpret_cast<LPARAM>(&place));
    POINT at{place.left, place.bottom};
    ::ClientToScreen(list, &at);
    return at;
}

LRESULT MainWindow::DefaultCommand() const {
    HWND focus = ::GetFocus();
    if (!focus || ::GetParent(focus) != hwnd_) return 0;
    if (focus == Item(IDC_LISTVIEW1)) return MAKELRESULT(IDC_COMMAND7, DC_HASDEFID);
    wchar_t className[16] = {};
    ::GetClassNameW(focus, className, 16);
    const LONG_PTR type = ::GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK;
    if (::lstrcmpiW(className, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
    }
    return 0;
}

LRESULT CALLBACK MainWindow::ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    if (message == WM_MOUSEMOVE) {
        reinterpret_cast<MainWindow*>(self)->ListView1_MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &MainWindow::ListViewProc, 0);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void MainWindow::ListView1_MouseMove(POINT point) {
    // The second panel shows the Button Text of the row under the pointer.
    LVHITTESTINFO hit{};
    hit.pt = point;
    const LRESULT row = ::SendMessageW(Item(IDC_LISTVIEW1), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const bool onRow = row >= 0 && row < static_cast<LRESULT>(list_.rows.size()) && (hit.flags & LVHT_ONITEM);
    ShowHoverText(onRow ? list_.rows[static_cast<size_t>(row)].button.buttonText : std::wstring());
}

void MainWindow::OnMouseMove(POINT point) {
    // Over the frame around the list, but not the list: no row is hovered.
    const RECT frame = PlaceOf(Item(IDC_FRAME2));
    if (::PtInRect(&frame, point)) ShowHoverText(L"");
}

void MainWindow::ShowHoverText(const std::wstring& text) {
    ::SendMessageW(Item(IDC_STATUSBAR1), SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

HighlightShapes& MainWindow::Shape1() {
    // Made when the tutorial first asks for them: most starts never open it.
    if (!shape1_) shape1_ = std::make_unique<HighlightShapes>(hwnd_, dpi());
    return *shape1_;
}

void MainWindow::SetTimer2(bool enabled) {
    if (enabled) {
        ::SetTimer(hwnd_, kTimer2Id, kTimer2Interval, nullptr);
    } else {
        ::KillTimer(hwnd_, kTimer2Id);
    }
}

void MainWindow::SetTipsTick(bool ticked) {
    ::CheckMenuItem(::GetMenu(hwnd_), ID_MNUHELPTIPSSU, MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::MoveFocus(const FocusRequest& request) {
    for (const FieldControl& text : kTextControls) {
        if (text.field != request.field) continue;
        HWND control = Item(text.id);
        ::SetFocus(control);
        if (request.selectAll) ::SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    HICON icon = nullptr;
    if (item.CtlID == IDC_IMAGE1) icon = fields_->Image1.icon.get();
    if (item.CtlID == IDC_IMAGE2) icon = dropPicture_.get();
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    if (icon) ::DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace velmora
