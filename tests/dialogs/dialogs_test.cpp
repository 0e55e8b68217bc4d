#include "dialogs/notice_window.h"
#include "dialogs/tip_window.h"
#include "dialogs/tips.h"
#include "settings/preferences.h"

#include "tests/support/registry_peek.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::string_literals;
using namespace testing;

const wchar_t* const kMessages = L"Software\\Corvale\\Velmora\\Messages";
const std::wstring kOptions = L"Software\\VB and VBA Program Settings\\";

// (Missing, unreadable, binary and huge tips files are in the catalogue.)
TEST(TipsFile, OneTipPerLineInEveryEncoding) {
    wchar_t ansi[8] = {};  // "caf" and the byte E9 as the ANSI code page reads them
    ::MultiByteToWideChar(CP_ACP, 0, "caf\xE9", 4, ansi, 8);
    const std::string past(kTipsReadLimit, 'y');  // the file goes on past the part read
    const size_t full = kTipsReadLimit - 1;
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::wstring> tips;
    };
    const Case cases[] = {
        {"three lines, one empty", "a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
        {"empty file", "", {}},
        {"CR only", "a\rb\r\rc", {L"a", L"b", L"", L"c"}},
        {"LF only", "a\nb\n", {L"a", L"b"}},
        {"UTF-8", "caf\xC3\xA9\r\n", {L"caf\u00e9"}},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9\r\nna\xC3\xAFve",
         {L"caf\u00e9", L"na\u00efve"}},
        {"UTF-16 LE with mark",
         "\xFF\xFE"
         "c\0\xE9\0\r\0\n\0d\0"s,
         {L"c\u00e9", L"d"}},
        {"UTF-16 BE with mark",
         "\xFE\xFF"
         "\0c\0\xE9\0\n\0d"s,
         {L"c\u00e9", L"d"}},
        {"ANSI, not UTF-8", "caf\xE9\r\nx", {ansi, L"x"}},
        {"past the limit: the line cut off left out", "a\r\nb\n" + past, {L"a", L"b"}},
        {"UTF-16 past the limit",
         "\xFF\xFE"
         "a\0\r\0\n\0"s +
             past,
         {L"a"}},
        {"one line past the limit, to its last whole character",
         std::string(full, 'a') + "\xC3\xA9",
         {std::wstring(full, L'a')}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::wstring> tips{L"from an earlier file"};
        EXPECT_TRUE(ReadTipsFile(folder.WriteFile(L"vlmtips.txt", c.bytes), tips));
        EXPECT_EQ(tips, c.tips);
    }
}

// (No switch, and notice flags: the main window's and the editor's tests.)
TEST(Preferences, TheTipsSwitchShowsUnlessItIsZero) {
    for (const auto& [stored, shown] : {std::pair{L"0", false}, {L"abc", true}, {L" 2 ", true}}) {
        WriteString(HKEY_CURRENT_USER, kOptions + L"vlm\\Options", L"Show Tips at Startup", stored);
        EXPECT_EQ(ReadShowTipsAtStartup(SystemRegistry(), L"vlm"), shown) << stored;
    }
}

RECT ScreenRect(HWND dialog, int id) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    return rect;
}

TEST(NoticeWindow, ShowsItsTextAndOkEnterAndEscStoreTheCheckBoxButTheCloseBoxDoesNot) {
    enum class Act { ClickOk, Enter, Esc, CloseBox };
    const wchar_t *dropText = L"Dragging-and-dropping a file onto Velmora enters",
                  *changeText = L"This change will show up the next time I.E. is started.";
    const struct {
        Notice notice;
        const wchar_t* textStart;
        bool untick;
        Act act;
        const wchar_t* flag;
        std::optional<std::wstring> stored;
    } cases[] = {
        {Notice::DragAndDrop, dropText, true, Act::CloseBox, L"DD Message", std::nullopt},
        {Notice::AddButton, L"This button will be added", false, Act::ClickOk, L"Restart IE", L"yes"},
        {Notice::Change, changeText, true, Act::ClickOk, L"Restart IE2", L"no"},
        {Notice::ProgramIcon, L"Due to the fact that normal", true, Act::Enter, L"Icon Message", L"no"},
        {Notice::DragAndDrop, dropText, false, Act::Esc, L"DD Message", L"yes"},
        {Notice::Change, changeText, false, Act::CloseBox, L"Restart IE2", L"no"},  // the "no" stays
        {Notice::Windows11, L"Windows 11 has no Internet Explorer, so the buttons", true, Act::ClickOk,
         L"Windows 11 Message", L"no"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        NoticeWindow window(c.notice);
        ASSERT_TRUE(window.CreateModeless(nullptr));
        HWND hwnd = window.hwnd();
        EXPECT_EQ(WindowText(hwnd),
                  c.notice == Notice::DragAndDrop ? L"Important Info About Drag-and-Drop" : L"Important Message");
        EXPECT_TRUE(WindowText(hwnd, NoticeWindow::kLabel1).starts_with(c.textStart));
        EXPECT_EQ(WindowText(hwnd, NoticeWindow::kCheck1) + L"|" + WindowText(hwnd, IDOK),
                  L"Show this message again in the future.|OK");
        EXPECT_EQ(::IsDlgButtonChecked(hwnd, NoticeWindow::kCheck1), UINT{BST_CHECKED});
        // Room for the whole text above the check box.
        EXPECT_LE(ScreenRect(hwnd, NoticeWindow::kLabel1).bottom, ScreenRect(hwnd, NoticeWindow::kCheck1).top);
        if (c.untick) ClickButton(hwnd, NoticeWindow::kCheck1);
        if (c.act == Act::ClickOk) ClickButton(hwnd, IDOK);
        if (c.act == Act::Enter) PressKey(hwnd, VK_RETURN);
        if (c.act == Act::Esc) PressKey(hwnd, VK_ESCAPE);
        if (c.act == Act::CloseBox) ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kMessages, c.flag), c.stored);
    }
}

std::optional<std::wstring> StoredTipsSwitch() {
    return ReadString(HKEY_CURRENT_USER, kOptions + L"vlm\\Options", L"Show Tips at Startup");
}

// A single tip shows again on "Next Tip". The check box is stored at once (taking over the ticked
// menu item counts as a click, an unticked one stores nothing) and handed back at closing by Enter
// or Esc. (A missing tips file: the catalogue.)
TEST(TipWindow, OneTipAlwaysShowsThatTipAndTheCheckBoxIsStoredAndHandedBack) {
    TempFolder folder;
    const std::wstring file = folder.WriteFile(L"vlmtips.txt", "The only tip.\r\n");
    for (bool ticked : {false, true}) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (kOptions + L"vlm").c_str());
        TipWindow window(SystemRegistry(), L"vlm", file, ticked);
        ASSERT_TRUE(window.CreateModeless(nullptr));
        HWND hwnd = window.hwnd();
        EXPECT_EQ(WindowText(hwnd) + L"|" + WindowText(hwnd, TipWindow::kLabel1) + L"|" + WindowText(hwnd, IDOK) +
                      L"|" + WindowText(hwnd, TipWindow::kCmdNextTip) + L"|" +
                      WindowText(hwnd, TipWindow::kChkLoadTipsAtStartup),
                  L"VelmoraTip of the Day|Did you know...|OK|&Next Tip|&Show Tips at Startup");
        EXPECT_EQ(StoredTipsSwitch(), ticked ? std::optional<std::wstring>(L"1") : std::nullopt);
        EXPECT_EQ(WindowText(hwnd, TipWindow::kLblTipText), L"The only tip.");
        ClickButton(hwnd, TipWindow::kCmdNextTip);
        EXPECT_EQ(WindowText(hwnd, TipWindow::kLblTipText), L"The only tip.");
        ClickButton(hwnd, TipWindow::kChkLoadTipsAtStartup);
        EXPECT_EQ(StoredTipsSwitch(), ticked ? L"0" : L"1");
        PressKey(hwnd, ticked ? VK_ESCAPE : VK_RETURN);
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(window.showTipsAtStartup(), !ticked) << "hands back the box";
    }
}

// A tip longer than its box makes the box and the window taller, with every line in view; one
// longer than the work area allows scrolls in its box, which Tab reaches and End scrolls to the end.
TEST(TipWindow, ALongTipGrowsTheWindowOrScrollsWithinTheWorkArea) {
    TempFolder folder;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int usualHeight = 0;
    const struct {
        int sentences;
        bool grows, scrolls;
    } cases[] = {{1, false, false}, {12, true, false}, {400, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentences);
        std::string tip;
        for (int n = 0; n < c.sentences; ++n) tip += "Velmora adds your own buttons to the browser's toolbar. ";
        TipWindow window(SystemRegistry(), L"vlm", folder.WriteFile(L"vlmtips.txt", tip), false);
        ASSERT_TRUE(window.CreateModeless(nullptr));
        HWND hwnd = window.hwnd();
        HWND box = window.Item(TipWindow::kLblTipText);
        EXPECT_EQ(::GetWindowTextLengthW(box), static_cast<int>(tip.size())) << "the whole tip";
        RECT frame{}, inside{};
        ::GetWindowRect(hwnd, &frame);
        EXPECT_TRUE(::IntersectRect(&inside, &frame, &work) && ::EqualRect(&inside, &frame)) << "on the work area";
        if (!c.grows) usualHeight = frame.bottom - frame.top;
        EXPECT_EQ(frame.bottom - frame.top > usualHeight, c.grows);
        EXPECT_LE(ScreenRect(hwnd, TipWindow::kLblTipText).bottom,
                  ScreenRect(hwnd, TipWindow::kChkLoadTipsAtStartup).top);
        EXPECT_EQ((::GetWindowLongPtrW(box, GWL_STYLE) & WS_VSCROLL) != 0, c.scrolls);
        if (!c.scrolls) {  // as tall as the text needs
            RECT needed{};
            ::GetClientRect(box, &needed);
            const RECT shown = needed;
            const WindowDc dc(box);
            const SelectedObject font(dc.get(), window.font());
            ::DrawTextW(dc.get(), WindowText(box).c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            EXPECT_LE(needed.bottom, shown.bottom);
            continue;
        }
        ::ShowWindow(hwnd, SW_SHOW);
        for (WPARAM key : {VK_TAB, VK_TAB, VK_END}) {
            MSG message{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
            ::IsDialogMessageW(hwnd, &message);
        }
        EXPECT_EQ(::GetFocus(), box);
        SCROLLINFO scroll{};
        scroll.cbSize = sizeof(scroll);
        scroll.fMask = SIF_ALL;
        ::GetScrollInfo(box, SB_VERT, &scroll);
        EXPECT_GT(scroll.nPos, 0);
        EXPECT_EQ(scroll.nPos + static_cast<int>(scroll.nPage), scroll.nMax + 1) << "the last line in view";
    }
}

// Windows whose destructors forget DestroyOwnWindow.
class ForgetfulFrame : public FrameWindow {
public:
    HWND Create() {
        return CreateFrame(L"VelmoraForgetfulFrame", L"Forgetful", WS_OVERLAPPEDWINDOW, {}, nullptr, 200, 100);
    }
};
class ForgetfulDialog : public Dialog {
public:
    ForgetfulDialog() : Dialog(L"Forgetful", 2880, 1440, Placement::CentredOnScreen) {}

protected:
    void OnInit() override {}
};

std::vector<std::wstring> faults;
void RecordFault(const wchar_t* fault) {
    faults.emplace_back(fault);
}

// A window still there when its object goes is reported in every build (the tests fail on it
// through the handler test_main sets), and destroyed, so that no later message finds the object.
TEST(WindowBase, AWindowItsObjectLeftBehindIsReportedAndDestroyed) {
    faults.clear();
    const WindowFaultHandler testsHandler = SetWindowFaultHandler(RecordFault);
    HWND frame = nullptr;
    HWND dialog = nullptr;
    {
        ForgetfulFrame window;
        frame = window.Create();
    }
    {
        ForgetfulDialog window;
        dialog = window.CreateModeless(nullptr);
    }
    SetWindowFaultHandler(testsHandler);
    ASSERT_TRUE(frame && dialog);
    EXPECT_FALSE(::IsWindow(frame) || ::IsWindow(dialog));
    const std::wstring fault = L"\" was still there when its object went; its destructor must call DestroyOwnWindow.\n";
    EXPECT_EQ(faults, (std::vector<std::wstring>{L"Velmora: a window of the class \"VelmoraForgetfulFrame" + fault,
                                                 L"Velmora: a window of the class \"#32770" + fault}));
}

}  // namespace
}  // namespace velmora
