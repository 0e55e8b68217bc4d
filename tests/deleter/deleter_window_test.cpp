#include "deleter/deleter_window.h"

#include "deleter/resource.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using testing::WindowText;

LONG FontWeight(HWND control) {
    LOGFONTW logFont{};
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    return font && ::GetObjectW(font, sizeof(logFont), &logFont) ? logFont.lfWeight : 0;
}

class DeleterWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(hwnd = window.Create(::GetModuleHandleW(nullptr)), nullptr); }
    RegistryStores stores;
    testing::ScriptedPrompts prompts;
    DeleterWindow window{stores, prompts};
    HWND hwnd = nullptr;
};

TEST_F(DeleterWindowTest, FixedCentredWindowWithFrameLabelsAndButton) {
    EXPECT_EQ(WindowText(hwnd), L"Velmora Button Deleter");
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) && !(style & (WS_THICKFRAME | WS_MAXIMIZEBOX))) << "a fixed border";
    RECT work{}, frame{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hwnd, &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - (work.top + work.bottom) / 2), 1);
    EXPECT_EQ(::GetWindowLongPtrW(::GetDlgItem(hwnd, IDC_FRAME1), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(
        WindowText(hwnd, IDC_FRAME1) + L"|" + WindowText(hwnd, IDC_LABEL2) + L"|" + WindowText(hwnd, IDC_COMMAND1),
        L"|This program deletes all buttons added to IE's toolbar with Velmora.|Delete All Added Buttons");
    EXPECT_EQ(WindowText(hwnd, IDC_LABEL1), kDeleterAdvice);
    EXPECT_GE(FontWeight(::GetDlgItem(hwnd, IDC_LABEL2)), FW_BOLD);
    EXPECT_LT(FontWeight(::GetDlgItem(hwnd, IDC_LABEL1)), FW_BOLD);
}

TEST_F(DeleterWindowTest, ClickingTheButtonAsksAndDeletesAndTheWindowStaysOpen) {
    testing::WriteString(HKEY_CURRENT_USER, testing::kRecordsKey, L"Count", L"1");
    prompts.Answer(IDYES);
    testing::ClickButton(hwnd, IDC_COMMAND1);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].title + L"|" + prompts.shown[1].title, L"Please Confirm|Success");
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::kRecordsKey, L"Count"), std::nullopt);
    EXPECT_TRUE(::IsWindow(hwnd));
}

}  // namespace
}  // namespace velmora
