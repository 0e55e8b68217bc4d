#include "dialogs/about_box.h"

#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

// Answers every shell call with a chosen result and records the calls.
class ScriptedShell : public ShellApi {
public:
    explicit ScriptedShell(INT_PTR answer) : answer(answer) {}
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& target) override {
        calls.push_back({owner, verb, target});
        return answer;
    }
    struct Call {
        HWND owner;
        std::wstring verb;
        std::wstring target;
    };
    INT_PTR answer;
    std::vector<Call> calls;
};

std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A mouse click on a control, as the control itself gets it.
void ClickOn(HWND control) {
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// The text colour the window gives a static control when it is drawn.
COLORREF TextColourOf(HWND dialog, HWND control) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return colour;
}

TEST(AboutBox, ShowsTheVersionTheNoticeLineTheNoteAndBlueLinksInOneFrame) {
    testing::ScriptedPrompts prompts;
    ScriptedShell shell(42);
    AboutBox about(prompts, shell);
    ASSERT_TRUE(about.CreateModeless(nullptr));
    HWND hwnd = about.hwnd();
    EXPECT_EQ(Text(hwnd), L"About...");
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_TRUE(client.right >= about.Px(4830) && client.bottom >= about.Px(3045));

    EXPECT_EQ(Text(about.Item(AboutBox::kLabel7)), L"Version 3.1");
    const std::wstring notice = Text(about.Item(AboutBox::kLabel2));
    ASSERT_FALSE(notice.empty());
    EXPECT_EQ(notice[0], wchar_t{169});
    EXPECT_NE(notice.find(L"Corvale"), std::wstring::npos);
    EXPECT_NE(notice.find(L"2026"), std::wstring::npos);
    EXPECT_EQ(Text(about.Item(AboutBox::kLabel3)), L"Find more great software from Corvale at:");
    EXPECT_EQ(Text(about.Item(AboutBox::kLabel6)), kMakerWebSite);
    EXPECT_EQ(Text(about.Item(AboutBox::kLabel5)), kSupportEmail);
    EXPECT_EQ(Text(about.Item(IDOK)), L"OK");
    EXPECT_TRUE(::SendMessageW(about.Item(AboutBox::kImage1), STM_GETICON, 0, 0)) << "the product's logo";

    // One frame without caption holds everything; the note's last line is above the bottom group.
    HWND frame = about.Item(AboutBox::kFrame1);
    EXPECT_EQ(::GetWindowLongPtrW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(Text(frame), L"");
    const RECT inside = ClientRectOf(hwnd, frame);
    for (int id : {AboutBox::kImage1, AboutBox::kImage2, AboutBox::kLine1, AboutBox::kLabel7, AboutBox::kLabel2,
                   AboutBox::kLabel1, AboutBox::kLabel3, AboutBox::kLabel6, AboutBox::kLabel5, IDOK}) {
        const RECT place = ClientRectOf(hwnd, about.Item(id));
        EXPECT_TRUE(place.left >= inside.left && place.top >= inside.top && place.right <= inside.right &&
                    place.bottom <= inside.bottom)
            << "control " << id;
    }
    EXPECT_LE(ClientRectOf(hwnd, about.Item(AboutBox::kLabel1)).bottom,
              ClientRectOf(hwnd, about.Item(AboutBox::kLabel3)).top);
    EXPECT_LE(ClientRectOf(hwnd, about.Item(AboutBox::kLabel6)).right, ClientRectOf(hwnd, about.Item(IDOK)).left);

    // The links are pure blue with the hand over them; the other labels keep the usual colour.
    for (int id : {AboutBox::kLabel6, AboutBox::kLabel5}) {
        HWND link = about.Item(id);
        EXPECT_EQ(TextColourOf(hwnd, link), RGB(0, 0, 255));
        EXPECT_TRUE(::GetWindowLongPtrW(link, GWL_STYLE) & SS_NOTIFY);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_TRUE(::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    }
    EXPECT_NE(TextColourOf(hwnd, about.Item(AboutBox::kLabel3)), RGB(0, 0, 255));
    EXPECT_TRUE(prompts.shown.empty() && shell.calls.empty());
}

TEST(AboutBox, ALinkThatFindsNoProgramSaysOopsAndAnyOtherShellResultSaysNothing) {
    struct Case {
        int link;
        INT_PTR answer;
        const wchar_t* target;
        const wchar_t* oops;  // null: no message
    };
    const std::wstring web = kMakerWebSite;
    const std::wstring mail = std::wstring(L"mailto:") + kSupportEmail;
    const Case cases[] = {
        {AboutBox::kLabel6, 31, web.c_str(), L"Could not start your web browser."},
        {AboutBox::kLabel5, 31, mail.c_str(), L"Could not start your email program."},
        {AboutBox::kLabel6, 2, web.c_str(), nullptr},
        {AboutBox::kLabel5, 2, mail.c_str(), nullptr},
        {AboutBox::kLabel5, 42, mail.c_str(), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.target)) + " answered " + std::to_string(c.answer));
        testing::ScriptedPrompts prompts;
        ScriptedShell shell(c.answer);
        AboutBox about(prompts, shell);
        ASSERT_TRUE(about.CreateModeless(nullptr));
        ClickOn(about.Item(c.link));
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0].owner, about.hwnd()) << "the about box owns the shell call";
        EXPECT_EQ(shell.calls[0].verb, L"open");
        EXPECT_EQ(shell.calls[0].target, c.target);
        if (c.oops) {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_EQ(prompts.shown[0].title, L"Oops!");
            EXPECT_EQ(prompts.shown[0].text, c.oops);
            EXPECT_EQ(prompts.shown[0].buttons(), UINT{MB_OK});
            EXPECT_EQ(prompts.shown[0].icon(), UINT{MB_ICONEXCLAMATION});
        } else {
            EXPECT_TRUE(prompts.shown.empty());
        }
        EXPECT_TRUE(::IsWindow(about.hwnd())) << "the about box stays open";
    }
}

TEST(AboutBox, OkEnterAndEscClose) {
    for (int act = 0; act < 3; ++act) {
        SCOPED_TRACE(act);
        testing::ScriptedPrompts prompts;
        ScriptedShell shell(42);
        AboutBox about(prompts, shell);
        ASSERT_TRUE(about.CreateModeless(nullptr));
        HWND hwnd = about.hwnd();
        if (act == 0) {
            ::SendMessageW(about.Item(IDOK), BM_CLICK, 0, 0);
        } else {
            MSG key{about.Item(IDOK), WM_KEYDOWN, static_cast<WPARAM>(act == 1 ? VK_RETURN : VK_ESCAPE), 0, 0, {}};
            ::IsDialogMessageW(hwnd, &key);
        }
        EXPECT_FALSE(::IsWindow(hwnd));
    }
}

}  // namespace
}  // namespace velmora
