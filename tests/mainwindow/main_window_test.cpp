#include "mainwindow/main_window.h"

#include "common/module_info.h"
#include "mainwindow/icon_library_window.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/main_window_layout.h"
#include "mainwindow/open_dialog.h"
#include "mainwindow/summary_window.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace velmora {
namespace {

using namespace layout;

std::wstring TextOf(HWND hwnd) {
    return testing::WindowText(hwnd);
}

// A row of the list as the user sees it: its eight columns, then its image.
std::wstring ListRow(HWND list, int row) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iItem = row;
    std::wstring shown;
    for (item.iSubItem = 0; item.iSubItem < 8; ++item.iSubItem) {
        item.pszText = text, item.cchTextMax = 512;
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        shown += std::wstring(text) + L"|";
    }
    item.mask = LVIF_IMAGE, item.iSubItem = 0;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return shown + std::to_wstring(item.iImage);
}

class MainWindowTest : public ::testing::Test {
protected:
    HWND Start() {
        MainWindowSetup setup;
        setup.programFolder = ProgramFolder();
        setup.programName = L"vlm";
        setup.anotherInstanceRunning = [this] { return anotherInstance; };
        setup.windowsBuild = [] { return 19045ul; };  // Windows 10, whatever Wine reports
        HWND hwnd = window.Create(std::move(setup));
        if (hwnd) window.Show(SW_SHOWNOACTIVATE);
        return hwnd;
    }
    void Click(int id) { ::SendMessageW(window.hwnd(), WM_COMMAND, id, reinterpret_cast<LPARAM>(window.Item(id))); }
    bool Enabled(int id) { return ::IsWindowEnabled(window.Item(id)) != FALSE; }

    testing::ScriptedEditorPrompts prompts;
    MainWindow window{prompts};
    bool anotherInstance = false;
};

// The earlier version's buttons of each icon kind are listed with their images, and its key goes.
// (The records and browser entries written for them, the next start, damaged records: the catalogue.)
TEST_F(MainWindowTest, ListsTheEarlierVersionsButtonsAndMovesThemHere) {
    using testing::RecordKey;
    const std::wstring icons = ProgramFolder() + L"icons\\", notepad = testing::SystemFile(L"notepad.exe");
    const std::wstring earlier = L"Software\\Corvale\\Velmora 1.2", link = L"C:\\VLM\\shortcuts\\tool.lnk";
    const std::wstring records[3][9] = {
        {L"program", L"", notepad, L"Notes", L"Notes", L"Edit notes", L"", L"", L"Current User"},
        {L"disk", icons + L"17.ico", L"https://example.com/", L"Web", L"Web site", L"", L"", L"", L"All Users"},
        {L"5", L"", L"C:\\Tools\\tool.exe", L"Tool", L"Tool", L"Run the tool", L"-x", link, L"Current User"}};
    const auto& names = testing::kRecordValueNames;
    for (int slot = 0; slot < 3; ++slot) {
        for (int n = 0; n < 9; ++n) {
            if (n == 1 && slot != 1) continue;  // "Icon File" only for the disk icon
            testing::WriteString(HKEY_CURRENT_USER, RecordKey(slot, earlier), names[n], records[slot][n]);
        }
    }
    testing::WriteString(HKEY_CURRENT_USER, RecordKey(-1, earlier), L"Count", L"3");
    testing::WriteString(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\vlm\\Options",
                         L"Show Tips at Startup", L"0");
    ASSERT_NE(Start(), nullptr);

    EXPECT_EQ(TextOf(window.hwnd()), L"Velmora");
    EXPECT_FALSE(::GetWindowLongPtrW(window.hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX)) << "a fixed border";
    // Every column and the image: library icon 5 is image 5 (4 from 0); the program and the disk
    // icon got images of their own after the 25.
    HWND list = window.Item(IDC_LISTVIEW1);
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    const std::wstring rows[] = {notepad + L"|Notes|Notes|Edit notes|Current User||||25",
                                 L"https://example.com/|Web|Web site||All Users||disk||26",
                                 L"C:\\Tools\\tool.exe|Tool|Tool|Run the tool|Current User|-x||" + link + L"|4"};
    for (int row = 0; row < 3; ++row) EXPECT_EQ(ListRow(list, row), rows[row]);
    // (The browser entries and records written from them: the catalogue, for the same three kinds.)
    EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, earlier));

    // Columns: six shown, two hidden.
    for (int column = 0; column < 8; ++column) EXPECT_EQ(ListView_GetColumnWidth(list, column) == 0, column >= 6);
    EXPECT_TRUE(Enabled(IDC_COMMAND4) && Enabled(IDC_COMMAND7) && Enabled(IDC_COMMAND8));
    EXPECT_FALSE(window.showTipsMenuTicked()) << "the switch is \"0\": no tip, and the menu item unticked";
    EXPECT_TRUE(prompts.tipsOpenedWith.empty() && prompts.boxes.shown.empty());
    EXPECT_EQ(window.fields().Image1.libraryNumber, 1);
}

TEST_F(MainWindowTest, ControlsCaptionsAndTheFirstState) {
    prompts.tipAnswers.push_back(false);  // the user unticks "Show Tips at Startup" in the tip
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(prompts.tipsOpenedWith, std::vector<bool>{true}) << "no switch stored: the tip opens";
    EXPECT_EQ(prompts.tipOwnerShown, std::vector<bool>{true}) << "over the window it speaks of";
    EXPECT_FALSE(window.showTipsMenuTicked());

    const std::pair<int, const wchar_t*> controls[] = {
        {IDC_FRAME2, L"Currently Added Buttons:"},
        {IDC_COMMAND7, L"Edit Selected"},
        {IDC_COMMAND8, L"Delete Selected"},
        {IDC_FRAME1, L"Button Properties:"},
        {IDC_FRAME5, L"File to Launch:"},
        {IDC_COMMAND1, L"..."},
        {IDC_LABEL1, L"Command Line Parameters:"},
        {IDC_ICOFRM, L"Icon:"},
        {IDC_CHECK1, L"Use Program Icon"},
        {IDC_COMMAND3, L"Select Icon from Library"},
        {IDC_COMMAND5, L"Select Icon from Disk"},
        {IDC_FRAME4, L"Selected Icon:"},
        {IDC_FRAME6, L"Text:"},
        {IDC_CHECK3, L"Derive from Filename"},
        {IDC_CHECK2, L"Synch All"},
        {IDC_LABEL2, L"Button Text:"},
        {IDC_LABEL4, L"Menu Text:"},
        {IDC_LABEL3, L"Menu Status Bar Text:"},
        {IDC_FRAME3, L"Scope:"},
        {IDC_OPTION1_0, L"All Users"},
        {IDC_OPTION1_1, L"Current User"},
        {IDC_COMMAND9, L"Reset All to Default"},
        {IDC_COMMAND4, L"Update"},
        {IDC_COMMAND2, L"Add Button"},
        {IDC_FRAME7, L"Drop Target:"},
        {IDC_LABEL6,
         L"Drag and drop any file here to have all pertinent info automatically entered into its "
         L"appropriate places."},
    };
    for (const auto& [id, caption] : controls) EXPECT_EQ(TextOf(window.Item(id)), caption);

    // The empty list: the three list buttons are off; no file: "Use Program Icon" is off.
    EXPECT_FALSE(Enabled(IDC_COMMAND4) || Enabled(IDC_COMMAND7) || Enabled(IDC_COMMAND8));
    EXPECT_FALSE(Enabled(IDC_CHECK1));
    EXPECT_EQ(::SendMessageW(window.Item(IDC_CHECK2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(window.Item(IDC_OPTION1_1), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Menus in order; no two items of a menu share an access key, so that Alt+F, P opens the
    // export and Alt+F, E ends the program.
    HMENU help = ::GetSubMenu(::GetMenu(window.hwnd()), 1);
    wchar_t item[64] = {};
    ::GetMenuStringW(help, 7, item, 64, MF_BYPOSITION);
    EXPECT_STREQ(item, L"&About...");
    EXPECT_EQ(::GetMenuItemID(help, 4), static_cast<UINT>(ID_MNUHELPTIPSSU));
    HMENU file = ::GetSubMenu(::GetMenu(window.hwnd()), 0);
    ::GetMenuStringW(file, ID_MNUFILEEXPORT, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"Ex&port Buttons...");
    for (HMENU menu : {file, help}) {
        std::wstring keys;
        for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
            ::GetMenuStringW(menu, position, item, 64, MF_BYPOSITION);
            const wchar_t* amp = std::wcschr(item, L'&');
            if (amp && amp[1]) keys += static_cast<wchar_t>(std::towupper(amp[1]));
        }
        std::wstring distinct = keys;
        std::sort(distinct.begin(), distinct.end());
        EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << ::testing::PrintToString(keys);
    }

    // The Tab key walks the window from the list down to the buttons.
    EXPECT_EQ(::GetNextDlgTabItem(window.hwnd(), nullptr, FALSE), window.Item(IDC_LISTVIEW1));
}

// What a user does through the window: the file field enables "Use Program Icon", clearing it
// unticks and disables it, "Synch All" reaches the other fields, and "Add Button" with empty
// fields complains, then adds.
TEST_F(MainWindowTest, UserActsThroughTheWindow) {
    ASSERT_NE(Start(), nullptr);
    // Some systems raise EN_CHANGE for text set from code, some not; a user's typing does.
    auto type = [&](int id, const wchar_t* text) {
        ::SetWindowTextW(window.Item(id), text);
        ::SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(window.Item(id)));
    };
    auto ticked = [&] { return ::SendMessageW(window.Item(IDC_CHECK1), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    Click(IDC_COMMAND2);
    ASSERT_EQ(prompts.boxes.shown.size(), 1u);
    EXPECT_EQ(prompts.boxes.shown[0].title, L"Problem");
    EXPECT_EQ(::GetFocus(), window.Item(IDC_TEXT1));

    type(IDC_TEXT1, L"C:\\windows\\system32\\notepad.exe");
    EXPECT_TRUE(Enabled(IDC_CHECK1));
    Click(IDC_CHECK1);
    EXPECT_TRUE(ticked());
    EXPECT_EQ(prompts.notices, std::vector<Notice>{Notice::ProgramIcon});
    type(IDC_TEXT1, L"");
    EXPECT_FALSE(ticked() || Enabled(IDC_CHECK1));
    EXPECT_EQ(window.fields().Image1.libraryNumber, 1);

    type(IDC_TEXT1, L"C:\\Tools\\tool.exe");
    type(IDC_TEXT4, L"Tool");
    EXPECT_EQ(TextOf(window.Item(IDC_TEXT2)), L"Tool");
    EXPECT_EQ(TextOf(window.Item(IDC_TEXT3)), L"Tool");
    Click(IDC_COMMAND2);
    HWND list = window.Item(IDC_LISTVIEW1);
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(ListRow(list, 0), L"C:\\Tools\\tool.exe|Tool|Tool|Tool|Current User||||0");
    EXPECT_EQ(TextOf(window.Item(IDC_TEXT1)), L"") << "the editor is reset";
    EXPECT_TRUE(Enabled(IDC_COMMAND8));
    EXPECT_EQ(prompts.notices.back(), Notice::AddButton);
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::EntryKey(0), L"Exec"), L"C:\\Tools\\tool.exe");

    // A click on the list's empty space leaves no row selected; the row chosen last is chosen
    // again, so that "Delete Selected" acts on it.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    EXPECT_EQ(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    prompts.boxes.Answer(IDNO);
    Click(IDC_COMMAND8);
    EXPECT_EQ(prompts.boxes.shown.back().title, L"Deleting Button");
}

bool menuShown = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    menuShown = ::FindWindowW(L"#32768", nullptr) != nullptr;
    ::EndMenu();
}

// Without a mouse: Enter presses the focused button and loads the focused list's row, the menu key
// opens the list's menu; the list and the file field carry the names a screen reader reads, and a
// change of the system's colours reaches the common controls.
TEST_F(MainWindowTest, KeyboardPathsNamesAndColours) {
    ASSERT_NE(Start(), nullptr);
    HWND list = window.Item(IDC_LISTVIEW1);
    auto enter = [&](int id) {
        ::SetFocus(window.Item(id));
        MSG message{window.Item(id), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_TRUE(::IsDialogMessageW(window.hwnd(), &message));
    };
    enter(IDC_COMMAND2);
    ASSERT_EQ(prompts.boxes.shown.size(), 1u);
    EXPECT_EQ(prompts.boxes.shown[0].title, L"Problem") << "\"Add Button\" checked the empty fields";
    window.fields().UserTyped(TextField::Text1, L"C:\\Tools\\tool.exe");
    window.fields().UserTyped(TextField::Text2, L"Tool");
    enter(IDC_COMMAND2);
    ASSERT_EQ(window.list().rows.size(), 1u);
    enter(IDC_LISTVIEW1);
    EXPECT_EQ(window.fields().Text(TextField::Text1), L"C:\\Tools\\tool.exe") << "the row is loaded";

    // Shift+F10 and the menu key reach the list as a context menu without a place.
    menuShown = false;
    ::SetTimer(nullptr, 0, 100, CloseMenu);
    ::SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    EXPECT_TRUE(menuShown);

    HWND text1 = window.Item(IDC_TEXT1);
    for (const auto& [control, name] : {std::pair{list, L"Currently Added Buttons:"}, {text1, L"File to Launch:"}}) {
        HWND label = ::GetWindow(control, GW_HWNDPREV);
        EXPECT_EQ(TextOf(label), name);
        EXPECT_FALSE(::IsWindowVisible(label));
    }
    EXPECT_EQ(TextOf(window.Item(IDC_IMAGE1)), L"Library icon 1");

    int colourChanges = 0;
    auto counter = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) -> LRESULT {
        if (message == WM_SYSCOLORCHANGE) ++*reinterpret_cast<int*>(count);
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    };
    for (int id : {IDC_LISTVIEW1, IDC_STATUSBAR1}) {
        ::SetWindowSubclass(window.Item(id), counter, 1, reinterpret_cast<DWORD_PTR>(&colourChanges));
    }
    ::SendMessageW(window.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(colourChanges, 2);
    for (int id : {IDC_LISTVIEW1, IDC_STATUSBAR1}) ::RemoveWindowSubclass(window.Item(id), counter, 1);
}

// On Windows 11 the editor says once, after its window shows and before the tip, that no browser
// there shows the buttons, until the notice's flag says "no"; on earlier versions it says nothing.
TEST(MainWindowStartTest, OnWindows11ANoticeBeforeTheTipSaysNoBrowserShowsTheButtons) {
    const wchar_t* const messages = L"Software\\Corvale\\Velmora\\Messages";
    const struct {
        unsigned long build;
        const wchar_t* flag;  // stored before the start; null for none
        bool notice;
    } cases[] = {{22000, nullptr, true},
                 {26100, L"yes", true},
                 {26100, L"no", false},
                 {19045, nullptr, false},
                 {7601, nullptr, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.build);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, messages, L"Windows 11 Message");
        if (c.flag) testing::WriteString(HKEY_CURRENT_USER, messages, L"Windows 11 Message", c.flag);
        testing::ScriptedEditorPrompts prompts;
        MainWindow window(prompts);
        MainWindowSetup setup;
        setup.programFolder = ProgramFolder();
        setup.programName = L"vlm";
        setup.windowsBuild = [&c] { return c.build; };
        ASSERT_NE(window.Create(std::move(setup)), nullptr);
        window.Show(SW_SHOWNOACTIVATE);
        window.ShowStartupMessages();  // once only
        std::vector<std::wstring> opened{L"tip over the window"};
        if (c.notice) opened.insert(opened.begin(), L"notice over the window");
        EXPECT_EQ(prompts.opened, opened);
        EXPECT_EQ(prompts.notices, c.notice ? std::vector<Notice>{Notice::Windows11} : std::vector<Notice>{});
    }
}

// An import of more buttons than the list takes: the list shows the 20 it took, the last one
// current, before the summary says what was added and what was not; "Edit Selected" then scrolls
// the row it loads into view, which stays marked while the focus is elsewhere.
TEST_F(MainWindowTest, ImportSumsUpOverTheRefreshedListAndEditSelectedShowsItsRow) {
    std::string file = "REGEDIT4\r\n";
    for (int n = 1; n <= 30; ++n) {
        char key[160];
        std::snprintf(key, sizeof key,
                      "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
                      "{00000000-0000-0000-0000-%012d}]\r\n",
                      n);
        const std::string name = "Tool " + std::to_string(n);
        file += key + std::string("\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n") +
                "\"Exec\"=\"C:\\\\Tools\\\\" + name + ".exe\"\r\n\"Icon\"=\"1gr.ico\"\r\n\"HotIcon\"=\"1.ico\"\r\n" +
                "\"ButtonText\"=\"" + name + "\"\r\n";
    }
    testing::TempFolder folder;
    prompts.openAnswers.push_back(folder.WriteFile(L"many.reg", file));
    ASSERT_NE(Start(), nullptr);
    HWND list = window.Item(IDC_LISTVIEW1);
    LRESULT rowsShown = -1, currentShown = -1;
    prompts.whileSummaryShows = [&] {
        rowsShown = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
        currentShown = window.CurrentRow();
    };
    Click(ID_MNUFILEIMPORT);

    ASSERT_EQ(prompts.boxes.shown.size(), 1u);
    std::wstring summary = L"20 buttons were added.";
    for (int n = 21; n <= 30; ++n)
        summary += L"\r\n\"Tool " + std::to_wstring(n) + L"\": the list is full (20 buttons).";
    EXPECT_EQ(prompts.boxes.shown[0].title, L"Import Buttons");
    EXPECT_EQ(prompts.boxes.shown[0].text, summary);
    EXPECT_EQ(prompts.boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(rowsShown, 20);
    EXPECT_EQ(currentShown, 19);

    // The list scrolled back to its top, the focus elsewhere: the row stays marked, and "Edit
    // Selected" brings it into view as it loads it.
    EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS);
    ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    ::SetFocus(window.Item(IDC_TEXT2));
    auto inView = [&](LRESULT row) {
        const LRESULT top = ::SendMessageW(list, LVM_GETTOPINDEX, 0, 0);
        return row >= top && row < top + ::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0);
    };
    ASSERT_FALSE(inView(19));
    Click(IDC_COMMAND7);
    EXPECT_TRUE(inView(19));
    EXPECT_EQ(window.fields().Text(TextField::Text2), L"Tool 20");
}

// The summary box says what a message box would, with its title, icon, text and "OK"; a short
// text shows whole without a scroll bar, a long one scrolls in a window no taller than half the
// screen.
TEST(SummaryWindowTest, AShortTextShowsWholeALongOneScrollsWithinTheScreen) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const int lines : {3, 400}) {
        SCOPED_TRACE(lines);
        std::wstring text = L"20 buttons were added.";
        for (int n = 1; n < lines; ++n)
            text += L"\r\n\"Tool " + std::to_wstring(n) + L"\": the list is full (20 buttons).";
        SummaryWindow window(L"Import Buttons", text, MB_ICONEXCLAMATION);
        ASSERT_TRUE(window.CreateModeless(nullptr));
        HWND hwnd = window.hwnd();
        ::ShowWindow(hwnd, SW_SHOW);
        HWND box = window.Item(SummaryWindow::kText1);
        EXPECT_EQ(TextOf(hwnd), L"Import Buttons");
        std::wstring shown(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
        shown.resize(static_cast<size_t>(::GetWindowTextW(box, shown.data(), static_cast<int>(shown.size()))));
        EXPECT_EQ(shown, text);
        EXPECT_EQ(TextOf(window.Item(IDOK)), L"OK");
        EXPECT_EQ(::GetFocus(), window.Item(IDOK));
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(window.Item(SummaryWindow::kImage1), STM_GETICON, 0, 0)),
                  ::LoadIconW(nullptr, IDI_WARNING));
        const LONG_PTR style = ::GetWindowLongPtrW(box, GWL_STYLE);
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_EQ((style & WS_VSCROLL) != 0, lines > 3);
        EXPECT_EQ(window.scrolls(), lines > 3);
        RECT frame{};
        ::GetWindowRect(hwnd, &frame);
        EXPECT_LE(frame.bottom - frame.top, (work.bottom - work.top) / 2);
        testing::ClickButton(hwnd, IDOK);
        EXPECT_FALSE(::IsWindow(hwnd));
    }
}

// A second start ends at once, before the registry is touched. (A missing icons folder: the catalogue.)
TEST_F(MainWindowTest, SecondInstanceEndsTheStart) {
    anotherInstance = true;
    EXPECT_EQ(Start(), nullptr);
    ASSERT_EQ(prompts.boxes.shown.size(), 1u);
    EXPECT_EQ(prompts.boxes.shown[0].title + L"|" + prompts.boxes.shown[0].text,
              L"Velmora|This program is already open.");
    EXPECT_EQ(prompts.boxes.shown[0].style, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, L"Software\\Corvale"));
    EXPECT_TRUE(prompts.tipsOpenedWith.empty());
}

// The library opens with icon 7 pressed and the keyboard on the icons; an icon is chosen by a
// click and OK, or by the arrows and Enter or Space; Esc chooses nothing.
TEST(IconLibraryWindowTest, ChosenByMouseOrKeyboard) {
    enum Act { ClickIcon12ThenOk, RightDownEnter, LeftSpace, Escape };
    for (Act act : {ClickIcon12ThenOk, RightDownEnter, LeftSpace, Escape}) {
        SCOPED_TRACE(act);
        IconLibraryWindow library(ProgramFolder(), 7);
        HWND hwnd = library.CreateModeless(nullptr);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(TextOf(hwnd), L"");
        EXPECT_NE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "no title bar";
        EXPECT_EQ(TextOf(::GetDlgItem(hwnd, IDOK)) + TextOf(::GetDlgItem(hwnd, IDCANCEL)), L"OKCancel");
        HWND toolbar = library.toolbar();
        EXPECT_EQ(::GetFocus(), toolbar);
        EXPECT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 25);
        for (int number = 1; number <= 25; ++number) {
            EXPECT_EQ(::SendMessageW(toolbar, TB_ISBUTTONCHECKED, number, 0) != 0, number == 7) << number;
        }
        // Each icon's name, as its tip and for a screen reader.
        NMTTDISPINFOW tip{};
        tip.hdr = {toolbar, 9, TTN_GETDISPINFOW};
        ::SendMessageW(hwnd, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&tip));
        EXPECT_STREQ(tip.lpszText, L"Icon 9");

        auto key = [&](UINT code) {
            MSG message{::GetFocus(), WM_KEYDOWN, code, 0, 0, {}};
            if (!::IsDialogMessageW(hwnd, &message)) ::DispatchMessageW(&message);
        };
        if (act == ClickIcon12ThenOk) {
            RECT icon{};
            ::SendMessageW(toolbar, TB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&icon));
            const LPARAM at = MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
            ::SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
            key(VK_RETURN);
        }
        if (act == RightDownEnter) key(VK_RIGHT), key(VK_DOWN), key(VK_RETURN);
        if (act == LeftSpace) key(VK_LEFT), key(VK_SPACE);
        if (act == Escape) key(VK_RIGHT), key(VK_ESCAPE);
        const int chosen[] = {12, 13, 6, 0};
        EXPECT_EQ(library.chosen(), chosen[act]);
        EXPECT_FALSE(::IsWindow(hwnd));
    }
}

TEST(OpenDialogTest, FilterBecomesANulSeparatedList) {
    using namespace std::string_literals;
    EXPECT_EQ(OpenDialogFilter(L"Icon Files (*.ico)|*.ico"), L"Icon Files (*.ico)\0*.ico\0\0"s);
    EXPECT_EQ(OpenDialogFilter(L"Icon Files (*.ico)|*.ico|"), L"Icon Files (*.ico)\0*.ico\0\0"s);
    EXPECT_EQ(OpenDialogFilter(L"A|*.a|B|*.b;*.c"), L"A\0*.a\0B\0*.b;*.c\0\0"s);
}

}  // namespace
}  // namespace velmora
