#include "dialogs/about_box.h"

#include "tests/support/scripted_prompts.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using namespace testing;

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The text colour the window gives a static control when it is drawn.
COLORREF TextColourOf(HWND dialog, HWND control) {
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ::SetTextColor(dc.get(), RGB(1, 2, 3));
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(control));
    return ::GetTextColor(dc.get());
}

// The about box as it is drawn while high contrast is on.
class HighContrastAboutBox : public AboutBox {
public:
    using AboutBox::AboutBox;

protected:
    bool HighContrastOn() const override { return true; }
};

// Whether a focus rectangle is drawn along the top edge of a control.
bool ShowsFocusRectangle(HWND control) {
    RECT area{};
    ::GetClientRect(control, &area);
    const WindowDc screen(nullptr);
    const UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    const UniqueHbitmap bitmap(::CreateCompatibleBitmap(screen.get(), area.right, area.bottom));
    const SelectedObject canvas(dc.get(), bitmap.get());
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    bool drawn = false;
    for (int x = 0; x < area.right; ++x) drawn = drawn || ::GetPixel(dc.get(), x, 0) != ::GetSysColor(COLOR_BTNFACE);
    return drawn;
}

TEST(AboutBox, ShowsTheVersionTheNoticeLineTheNoteAndBlueLinksInOneFrame) {
    ScriptedPrompts prompts;
    ScriptedShell shell(42);
    AboutBox about(prompts, shell);
    ASSERT_TRUE(about.CreateModeless(nullptr));
    HWND hwnd = about.hwnd();
    std::wstring texts = WindowText(hwnd);
    for (int id : {AboutBox::kLabel7, AboutBox::kLabel2, AboutBox::kLabel1, AboutBox::kLabel3, AboutBox::kLabel6,
                   AboutBox::kLabel5, IDOK})
        texts += L"|" + WindowText(hwnd, id);
    // The notice line: the character with code 169, then the year and the maker.
    EXPECT_EQ(texts,
              L"About...|Version 3.1|\u00A9 2026 Corvale Software|Velmora is free: you may use it at home and at "
              L"work without paying anything. You may give copies to anyone, as long as you pass the program on "
              L"unchanged and free of charge.|Find more great software from Corvale at:|" +
                  std::wstring(kMakerWebSite) + L"|" + kSupportEmail + L"|OK");
    EXPECT_TRUE(::SendMessageW(about.Item(AboutBox::kImage1), STM_GETICON, 0, 0)) << "the product's logo";

    // A frame without caption; the note's last line is above the bottom group, the link beside OK.
    EXPECT_EQ(::GetWindowLongPtrW(about.Item(AboutBox::kFrame1), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(WindowText(about.Item(AboutBox::kFrame1)), L"");
    EXPECT_LE(ClientRectOf(hwnd, about.Item(AboutBox::kLabel1)).bottom,
              ClientRectOf(hwnd, about.Item(AboutBox::kLabel3)).top);
    EXPECT_LE(ClientRectOf(hwnd, about.Item(AboutBox::kLabel6)).right, ClientRectOf(hwnd, about.Item(IDOK)).left);

    // The links are pure blue with the hand over them; the other labels keep the usual colour.
    for (int id : {AboutBox::kLabel6, AboutBox::kLabel5}) {
        HWND link = about.Item(id);
        EXPECT_EQ(TextColourOf(hwnd, link), RGB(0, 0, 255));
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_TRUE(
            ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    }
    EXPECT_NE(TextColourOf(hwnd, about.Item(AboutBox::kLabel3)), RGB(0, 0, 255));
    // In high contrast the links take the system's link colour.
    HighContrastAboutBox contrast(prompts, shell);
    ASSERT_TRUE(contrast.CreateModeless(nullptr));
    for (int id : {AboutBox::kLabel6, AboutBox::kLabel5})
        EXPECT_EQ(TextColourOf(contrast.hwnd(), contrast.Item(id)), ::GetSysColor(COLOR_HOTLIGHT));
    EXPECT_TRUE(prompts.shown.empty() && shell.calls.empty());
}

// Tab goes from OK to each link in turn and back; the focused link shows a focus rectangle, and
// Enter or Space on it does what a click does.
TEST(AboutBox, TabReachesEachLinkWhereEnterAndSpaceOpenIt) {
    const std::wstring web = L"open " + std::wstring(kMakerWebSite);
    const std::wstring mail = L"open mailto:" + std::wstring(kSupportEmail);
    ScriptedPrompts prompts;
    ScriptedShell shell(42);
    AboutBox about(prompts, shell);
    ASSERT_TRUE(about.CreateModeless(nullptr));
    ::ShowWindow(about.hwnd(), SW_SHOW);
    ASSERT_EQ(::GetFocus(), about.Item(IDOK));
    const struct {
        WPARAM key;
        int focus;
        std::vector<std::wstring> calls;
    } steps[] = {
        {VK_TAB, AboutBox::kLabel6, {}},
        {VK_SPACE, AboutBox::kLabel6, {web}},
        {VK_TAB, AboutBox::kLabel5, {web}},
        {VK_RETURN, AboutBox::kLabel5, {web, mail}},
        {VK_SPACE, AboutBox::kLabel5, {web, mail, mail}},
        {VK_TAB, IDOK, {web, mail, mail}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "key " << step.key << " to " << step.focus);
        MSG key{::GetFocus(), WM_KEYDOWN, step.key, 0, 0, {}};
        ::IsDialogMessageW(about.hwnd(), &key);
        EXPECT_EQ(::GetFocus(), about.Item(step.focus));
        EXPECT_EQ(shell.calls, step.calls);
        for (int link : {AboutBox::kLabel6, AboutBox::kLabel5})
            EXPECT_EQ(ShowsFocusRectangle(about.Item(link)), link == step.focus);
    }
    EXPECT_TRUE(::IsWindow(about.hwnd())) << "a link keeps the about box open";
}

// A click on a link opens it; only "no program associated" (31) says "Oops!". OK, Enter and Esc close.
TEST(AboutBox, ALinkThatFindsNoProgramSaysOopsAndOkEnterAndEscClose) {
    enum class Close { Ok, Enter, Esc };
    const std::wstring web = L"open " + std::wstring(kMakerWebSite);
    const std::wstring mail = L"open mailto:" + std::wstring(kSupportEmail);
    // oops: the message, or null for none
    const struct {
        int link;
        INT_PTR answer;
        std::wstring call;
        const wchar_t* oops;
        Close close;
    } cases[] = {
        {AboutBox::kLabel6, 31, web, L"Could not start your web browser.", Close::Ok},
        {AboutBox::kLabel5, 31, mail, L"Could not start your email program.", Close::Enter},
        {AboutBox::kLabel5, 2, mail, nullptr, Close::Esc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.call) + " answered " + std::to_string(c.answer));
        ScriptedPrompts prompts;
        ScriptedShell shell(c.answer);
        AboutBox about(prompts, shell);
        ASSERT_TRUE(about.CreateModeless(nullptr));
        // A mouse click, as the link itself gets it.
        ::SendMessageW(about.Item(c.link), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(about.Item(c.link), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(shell.calls, std::vector<std::wstring>{c.call});
        EXPECT_EQ(shell.owners, std::vector<HWND>{about.hwnd()}) << "the about box owns the shell call";
        ASSERT_EQ(prompts.shown.size(), c.oops ? 1u : 0u);
        if (c.oops) {
            EXPECT_EQ(prompts.shown[0].title + L"|" + prompts.shown[0].text, L"Oops!|" + std::wstring(c.oops));
            EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
        }
        ASSERT_TRUE(::IsWindow(about.hwnd())) << "the about box stays open";
        if (c.close == Close::Ok)
            ClickButton(about.hwnd(), IDOK);
        else
            PressKey(about.hwnd(), c.close == Close::Enter ? VK_RETURN : VK_ESCAPE);
        EXPECT_FALSE(::IsWindow(about.hwnd()));
    }
}

}  // namespace
}  // namespace velmora
