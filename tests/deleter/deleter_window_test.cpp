#include "deleter/deleter_window.h"

#include "deleter/resource.h"

#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

LONG FontWeight(HWND control) {
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (!font || !::GetObjectW(font, sizeof(logFont), &logFont)) return 0;
    return logFont.lfWeight;
}

class DeleterWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window.Create(::GetModuleHandleW(nullptr)), nullptr); }
    CRegSettings settings{SystemRegistry(), L"Velmora Button Deleter"};
    testing::ScriptedPrompts prompts;
    DeleterWindow window{settings, prompts};
};

TEST_F(DeleterWindowTest, FixedCentredWindowWithFrameLabelsAndButton) {
    HWND hwnd = window.hwnd();
    EXPECT_EQ(WindowText(hwnd), L"Velmora Button Deleter");
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border is fixed";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_CAPTION);

    RECT frame{};
    RECT work{};
    ::GetWindowRect(hwnd, &frame);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - (work.top + work.bottom) / 2), 1);

    HWND frame1 = ::GetDlgItem(hwnd, IDC_FRAME1);
    HWND label2 = ::GetDlgItem(hwnd, IDC_LABEL2);
    HWND label1 = ::GetDlgItem(hwnd, IDC_LABEL1);
    HWND command1 = ::GetDlgItem(hwnd, IDC_COMMAND1);
    ASSERT_TRUE(frame1 && label2 && label1 && command1);
    EXPECT_EQ(WindowText(frame1), L"");
    EXPECT_EQ(::GetWindowLongPtrW(frame1, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(WindowText(label2), L"This program deletes all buttons added to IE's toolbar with Velmora.");
    EXPECT_EQ(WindowText(label1), kDeleterAdvice);
    EXPECT_EQ(WindowText(command1), L"Delete All Added Buttons");
    EXPECT_EQ(ClassOf(label1), L"Static");
    EXPECT_GE(FontWeight(label2), FW_BOLD);
    EXPECT_LT(FontWeight(label1), FW_BOLD);

    // The labels lie inside the frame; the button below it.
    RECT frameRect{}, labelRect{}, buttonRect{};
    ::GetWindowRect(frame1, &frameRect);
    ::GetWindowRect(label1, &labelRect);
    ::GetWindowRect(command1, &buttonRect);
    EXPECT_GE(labelRect.left, frameRect.left);
    EXPECT_LE(labelRect.bottom, frameRect.bottom);
    EXPECT_GE(buttonRect.top, frameRect.bottom);
}

TEST_F(DeleterWindowTest, ClickingTheButtonAsksFirst) {
    testing::WriteString(HKEY_CURRENT_USER, L"Software\\Corvale\\Velmora\\Added Buttons", L"Count", L"1");
    prompts.Answer(IDNO);
    ::SendMessageW(::GetDlgItem(window.hwnd(), IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Please Confirm");
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, L"Software\\Corvale\\Velmora\\Added Buttons", L"Count"), L"1");

    prompts.Answer(IDYES);
    ::SendMessageW(::GetDlgItem(window.hwnd(), IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[2].title, L"Success");
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, L"Software\\Corvale\\Velmora\\Added Buttons", L"Count"),
              std::nullopt);
    EXPECT_TRUE(::IsWindow(window.hwnd())) << "the window stays open";
}

}  // namespace
}  // namespace velmora
