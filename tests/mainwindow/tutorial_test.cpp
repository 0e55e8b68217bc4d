#include "mainwindow/highlight_shapes.h"
#include "mainwindow/main_window_layout.h"
#include "mainwindow/tutorial_window.h"

#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace velmora {
namespace {

using namespace layout;

// A plain window as the main window, with its outlines and a Timer2 that only records its state.
class FakeMainWindow : public TutorialHost {
public:
    ~FakeMainWindow() { ::DestroyWindow(hwnd_); }
    HWND TutorialOwner() const override { return hwnd_; }
    HighlightShapes& Shape1() override { return shapes_; }
    void SetTimer2(bool enabled) override {
        timer2 = enabled;
        timer2Starts += enabled ? 1 : 0;
    }
    std::vector<int> VisibleShapes() const {
        std::vector<int> visible;
        for (int index : {0, 1, 2, 3, 4})
            if (shapes_.IsVisible(index)) visible.push_back(index);
        return visible;
    }

    bool timer2 = false;
    int timer2Starts = 0;

private:
    HWND hwnd_ = ::CreateWindowExW(0, L"STATIC", L"Velmora", WS_OVERLAPPED | WS_CAPTION, 20, 10, 300, 120, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HighlightShapes shapes_{hwnd_, ScreenDpi()};
};

std::wstring TextOf(HWND hwnd) {
    return testing::WindowText(hwnd);
}

int Px(int twips) {
    return TwipsToPixels(twips, ScreenDpi());
}

TEST(HighlightShapes, HiddenHollowBordersThatStayClearOfTheirStepsControls) {
    FakeMainWindow main;
    // One control of each step where the main window lays it out; "Current User" wider, as a
    // larger font makes it.
    const struct {
        int id;
        TwipsRect at;
    } controls[] = {
        {IDC_TEXT5, kText5.Inside(kFrame5.Inside(kFrame1))},
        {IDC_FRAME4, kFrame4.Inside(kIcofrm.Inside(kFrame1))},
        {IDC_TEXT3, kText3.Inside(kFrame6.Inside(kFrame1))},
        {IDC_OPTION1_1,
         TwipsRect{0, 0, kOption1_1.width + 600, kOption1_1.height}.Inside(kOption1_1.Inside(kFrame3.Inside(kFrame1)))},
        {IDC_COMMAND2, kCommand2.Inside(kFrame1)},
    };
    for (int index = 0; index < HighlightShapes::kCount; ++index) {
        SCOPED_TRACE(index);
        const TwipsRect at = controls[index].at;
        HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, Px(at.left), Px(at.top), Px(at.width),
                                         Px(at.height), main.TutorialOwner(),
                                         reinterpret_cast<HMENU>(INT_PTR{controls[index].id}), nullptr, nullptr);
        EXPECT_FALSE(main.Shape1().IsVisible(index));
        main.Shape1().Show(index, true);
        RECT inside{}, around{}, overlap{};
        ::GetWindowRect(main.Shape1().Window(index), &inside);
        ::GetWindowRect(control, &around);
        ::InflateRect(&inside, -3, -3);
        EXPECT_TRUE(::IntersectRect(&overlap, &inside, &around) && ::EqualRect(&overlap, &around));
        // Only the 3-pixel border belongs to the outline: clicks inside reach the controls.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        ::GetWindowRgn(main.Shape1().Window(index), region);
        EXPECT_TRUE(::PtInRegion(region, 2, 2) && !::PtInRegion(region, 3, 3));
        ::DeleteObject(region);
    }
}

// The test shows the tutorial once: under Wine without a window manager hiding it takes 2 s.
class TutorialTest : public ::testing::Test {
protected:
    HWND Open() {
        TutorialWindow::ShowOrActivate(main, tutorial);
        return tutorial->hwnd();
    }
    void ClickStep(int index) { ::SendMessageW(tutorial->Item(TutorialWindow::kCommand1 + index), BM_CLICK, 0, 0); }
    std::wstring Frame1() { return TextOf(tutorial->Item(TutorialWindow::kFrame1)); }
    std::wstring Text1() { return TextOf(tutorial->Item(TutorialWindow::kText1)); }

    FakeMainWindow main;
    std::unique_ptr<TutorialWindow> tutorial;
};

// Opens once, owned by the main window, with its introduction; each step flashes only its own
// rectangle until the window closes.
TEST_F(TutorialTest, EachStepFlashesOnlyItsOwnRectangleUntilTheWindowCloses) {
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(TextOf(hwnd), L"Velmora Tutorial");
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), main.TutorialOwner());
    EXPECT_EQ(TextOf(tutorial->Item(TutorialWindow::kLabel1)),
              L"This tutorial will walk you step-by-step through the process of adding a new button to I.E.'s "
              L"toolbar. Click each step button in succession and follow the instructions shown in the textbox "
              L"below. You can perform each step along with the tutorial as you read it to familiarize yourself "
              L"with the procedure if you wish.");
    EXPECT_EQ(Frame1() + L"|" + Text1(), L"|Click \"Step 1\" to begin.\r\n");
    for (int index = 0; index < TutorialWindow::kStepCount; ++index)
        EXPECT_EQ(TextOf(tutorial->Item(TutorialWindow::kCommand1 + index)), L"Step " + std::to_wstring(index + 1));
    EXPECT_FALSE(main.timer2) << "nothing flashes before a step is chosen";
    EXPECT_TRUE(main.VisibleShapes().empty());

    const struct {
        int index;
        const wchar_t* firstSentence;
    } steps[] = {
        {2, L"The next step is to specify various text that will be associated with the added button. "},
        {0,
         L"The first step is to choose which program, document, or URL you wish to be launched when the new "
         L"button is clicked. "},
        {1, L"The next step is to specify an icon to be displayed on the button. "},
        {3,
         L"The next step is to specify whether or not you wish the added button to be visble in all Windows "
         L"User Profiles or just the current one. "},
        {4, L"The last step is to click the \"Add Button\" button. "},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.index);
        ClickStep(step.index);
        EXPECT_EQ(Frame1(), L"Step " + std::to_wstring(step.index + 1));
        EXPECT_EQ(Text1().rfind(step.firstSentence, 0), 0u) << Text1();
        EXPECT_EQ(main.VisibleShapes(), std::vector<int>{step.index});
        EXPECT_TRUE(main.timer2);
    }
    // The menu item again: the same window, on the same step.
    ClickStep(1);
    Open();
    EXPECT_EQ(tutorial->hwnd(), hwnd);
    EXPECT_EQ(tutorial->CurrentStep, 1);
    // Ticks flash the step's rectangle; the same step again restarts it visible, on a fresh phase.
    const int starts = main.timer2Starts;
    for (bool visible : {false, true, false}) {
        tutorial->Timer2_Timer();
        EXPECT_EQ(main.VisibleShapes(), visible ? std::vector<int>{1} : std::vector<int>{});
    }
    ClickStep(1);
    EXPECT_EQ(main.VisibleShapes(), std::vector<int>{1});
    EXPECT_EQ(main.timer2Starts, starts + 1);
    ::SendMessageW(tutorial->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(tutorial->hwnd());
    EXPECT_FALSE(main.timer2);
    EXPECT_EQ(tutorial->CurrentStep, 0);
    tutorial->Timer2_Timer();  // a tick that was already on its way brings nothing back
    EXPECT_TRUE(main.VisibleShapes().empty());
}

// Esc closes the tutorial wherever the focus is in it, as its close box does: in the step text
// and on each step button, reached with Tab from the step button clicked.
TEST_F(TutorialTest, EscClosesTheWindowWhereverTheFocusIs) {
    std::vector<int> focused;
    for (int tabs = 0; tabs <= TutorialWindow::kStepCount; ++tabs) {
        SCOPED_TRACE(tabs);
        HWND hwnd = Open();
        ClickStep(2);
        auto press = [hwnd](WPARAM key) {
            MSG message{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
            EXPECT_TRUE(::IsDialogMessageW(hwnd, &message));
        };
        for (int tab = 0; tab < tabs; ++tab) press(VK_TAB);
        focused.push_back(::GetDlgCtrlID(::GetFocus()));
        press(VK_ESCAPE);
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_FALSE(main.timer2);
        EXPECT_TRUE(main.VisibleShapes().empty());
    }
    std::sort(focused.begin(), focused.end());
    const int step1 = TutorialWindow::kCommand1;
    EXPECT_EQ(focused, (std::vector<int>{TutorialWindow::kText1, step1, step1 + 1, step1 + 2, step1 + 3, step1 + 4}));
}

}  // namespace
}  // namespace velmora
