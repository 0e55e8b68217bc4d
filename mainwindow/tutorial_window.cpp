#include "mainwindow/tutorial_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace velmora {

namespace {

// The step text is a multi-line edit control, which asks the dialog manager for every key, Esc
// included, and then treats Esc in its own way. Its subclass leaves Esc to the dialog manager,
// so that Esc in the text closes the window just as it does everywhere else in it.
constexpr UINT_PTR kText1SubclassId = 1;

LRESULT OnText1GetDlgCode(HWND text, WPARAM wParam, LPARAM lParam) {
    const LRESULT wanted = ::DefSubclassProc(text, WM_GETDLGCODE, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const bool escape = key && key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE;
    return escape ? wanted & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE) : wanted;
}

LRESULT CALLBACK Text1Proc(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_GETDLGCODE:
        return OnText1GetDlgCode(text, wParam, lParam);
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(text, &Text1Proc, kText1SubclassId);
        break;
    }
    return ::DefSubclassProc(text, message, wParam, lParam);
}

constexpr int kClientWidth = 4095;
constexpr int kClientHeight = 5385;

// Load places the window this far left of the main window's right edge and below its top.
constexpr int kLeftOfMainRight = 2000;
constexpr int kBelowMainTop = 500;

// Layout in twips: the introduction at the top, the framed step text below it, and the five step
// buttons stacked at the bottom. When the introduction needs more lines than it was given (a
// wider font), the frame gives up the room: the step text scrolls.
constexpr TwipsRect kLabel1At{120, 120, 3855, 1380};
constexpr TwipsRect kFrame1At{120, 1560, 3855, 2070};
constexpr TwipsRect kText1In{105, 240, 3645, 1725};  // inside Frame1
constexpr TwipsRect kCommand1At{120, 3720, 3855, 300};
constexpr int kCommand1Pitch = 315;
constexpr int kGapBelowLabel = 60;

const wchar_t* const kIntroduction =
    L"This tutorial will walk you step-by-step through the process of adding a new button to I.E.'s toolbar. Click "
    L"each step button in succession and follow the instructions shown in the textbox below. You can perform each "
    L"step along with the tutorial as you read it to familiarize yourself with the procedure if you wish.";

const wchar_t* const kInitialText = L"Click \"Step 1\" to begin.\r\n";

const wchar_t* const kStepTexts[TutorialWindow::kStepCount] = {
    L"The first step is to choose which program, document, or URL you wish to be launched when the new button is "
    L"clicked. The place to do this is marked on the main window by the flashing red rectangle. Type the full path "
    L"and name of the file into the \"File to Launch\" box, for example \"C:\\Windows\\Notepad.exe\", or type a web "
    L"address there. If you would rather look for the file than type it, click the browse (\"...\") button beside "
    L"the box and pick the file. If the program needs anything on its command line, type it into the \"Command Line "
    L"Parameters\" space below: for example, to have the button open a particular text file in Notepad, choose "
    L"Notepad as the file to launch and put the full path of the text file in the parameters.",

    L"The next step is to specify an icon to be displayed on the button. If the button launches a program, tick "
    L"\"Use Program Icon\" to give the button the program's own icon. To use an icon file of your own, click "
    L"\"Select Icon from Disk\" and choose an \".ico\" file. Or click \"Select Icon from Library\" and pick one of "
    L"the icons that come with Velmora: they are formatted for the toolbar and keep its hot/cold effect, so the "
    L"button lights up when the mouse pointer moves over it. Whichever icon you choose is shown in the \"Selected "
    L"Icon\" box, so you can see what the button will look like.",

    L"The next step is to specify various text that will be associated with the added button. If you tick "
    L"\"Derive from Filename\", the text is filled in for you from the name of the file to launch. The \"Button "
    L"Text\" is the caption shown on the button itself; the \"Menu Text\" is the name of the item that is added to "
    L"the browser's \"Tools\" menu for the button; and the \"Menu Status Bar Text\" is shown in the browser's status "
    L"bar while the mouse pointer is over that menu item. With \"Synch All\" ticked, whatever you type in one of "
    L"the three spaces is copied into the other two; untick it to give each its own wording.",

    L"The next step is to specify whether or not you wish the added button to be visble in all Windows User Profiles "
    L"or just the current one. This choice only matters when more than one person uses this computer, each with a "
    L"user profile of their own. Choose \"All Users\" to show the button in every user profile, or \"Current User\" "
    L"to show it only to the user who is logged on now. If you are the only user of the computer, \"Current User\" "
    L"is all you need.",

    L"The last step is to click the \"Add Button\" button. The new button's properties then appear in the "
    L"\"Currently Added Buttons\" window at the top of the main window, and the button shows up on the browser's "
    L"toolbar the next time you start Internet Explorer. If it does not appear there, right-click the toolbar and "
    L"choose \"Customize\", select your button in the \"Available Buttons\" list and click \"Add\". That's all there "
    L"is to it: you can add more buttons the same way.",
};

}  // namespace

void TutorialWindow::ShowOrActivate(TutorialHost& host, std::unique_ptr<TutorialWindow>& tutorial) {
    if (tutorial && tutorial->hwnd()) {
        ::SetForegroundWindow(tutorial->hwnd());
        return;
    }
    // A closed tutorial left its object behind: the new one starts afresh.
    tutorial = std::make_unique<TutorialWindow>(host);
    tutorial->Load();
}

TutorialWindow::TutorialWindow(TutorialHost& host)
    : Dialog(kTutorialCaption, kClientWidth, kClientHeight, Placement::CentredOnOwner), host_(host) {}

TutorialWindow::~TutorialWindow() {
    // Closed here, while this object's unload can still run.
    DestroyOwnWindow();
}

HWND TutorialWindow::Load() {
    if (!CreateModeless(host_.TutorialOwner())) return nullptr;
    Form_Load();
    ::ShowWindow(hwnd_, SW_SHOW);
    // The focus starts on "Step 1", the first thing to do.
    ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kCommand1)), TRUE);
    return hwnd_;
}

void TutorialWindow::CreateControls() {
    HWND label1 = AddControl(L"STATIC", kIntroduction, SS_LEFT | SS_NOPREFIX, kLabel1, kLabel1At);
    FitLabelHeight(label1);
    const int frameBottom = Px(kFrame1At.top + kFrame1At.height);
    const int frameTop = std::max(Px(kFrame1At.top), static_cast<int>(PlaceOf(label1).bottom) + Px(kGapBelowLabel));
    HWND frame1 = AddControl(L"BUTTON", L"", BS_GROUPBOX, kFrame1, kFrame1At);
    ::SetWindowPos(frame1, nullptr, Px(kFrame1At.left), frameTop, Px(kFrame1At.width), frameBottom - frameTop,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    HWND text1 =
        AddControl(L"EDIT", kInitialText, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kText1,
                   kText1In.Inside(kFrame1At), WS_EX_CLIENTEDGE);
    const int textBottom = frameBottom - Px(kFrame1At.height - kText1In.top - kText1In.height);
    const int textTop = frameTop + Px(kText1In.top);
    ::SetWindowPos(text1, nullptr, Px(kFrame1At.left + kText1In.left), textTop, Px(kText1In.width),
                   std::max(textBottom - textTop, Px(300)), SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowSubclass(text1, &Text1Proc, kText1SubclassId, 0);
    for (int index = 0; index < kStepCount; ++index) {
        TwipsRect at = kCommand1At;
        at.top += index * kCommand1Pitch;
        AddControl(L"BUTTON", L"Step " + std::to_wstring(index + 1), WS_TABSTOP | BS_PUSHBUTTON, kCommand1 + index, at);
    }
}

void TutorialWindow::Form_Load() {
    // Once, beside the main window's right part near its top; it stays there when the main window
    // moves. Kept on the screen when the main window stands near its edge.
    RECT main{};
    RECT own{};
    ::GetWindowRect(host_.TutorialOwner(), &main);
    ::GetWindowRect(hwnd_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int left = main.left + (main.right - main.left) - Px(kLeftOfMainRight);
    int top = main.top + Px(kBelowMainTop);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(host_.TutorialOwner(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& area = monitor.rcWork;
        left = std::max(static_cast<int>(area.left), std::min(left, static_cast<int>(area.right) - width));
        top = std::max(static_cast<int>(area.top), std::min(top, static_cast<int>(area.bottom) - height));
    }
    ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TutorialWindow::Form_Unload() {
    host_.SetTimer2(false);
    host_.Shape1().HideAll();
    CurrentStep = 0;
}

void TutorialWindow::Command1_Click(int index) {
    if (index < 0 || index >= kStepCount) return;
    ::SetDlgItemTextW(hwnd_, kFrame1, (L"Step " + std::to_wstring(index + 1)).c_str());
    host_.SetTimer2(false);
    host_.Shape1().HideAll();
    CurrentStep = index;
    // The outline starts visible, with a whole interval before the first tick hides it.
    host_.SetTimer2(true);
    host_.Shape1().Show(index, true);
    ::SetDlgItemTextW(hwnd_, kText1, kStepTexts[index]);
    // Wine's edit control leaves bits of the earlier text in its top margin otherwise.
    ::InvalidateRect(Item(kText1), nullptr, TRUE);
}

void TutorialWindow::Timer2_Timer() {
    // A tick already on its way when the tutorial closed must not bring an outline back.
    if (!hwnd_) return;
    host_.Shape1().Toggle(CurrentStep);
}

bool TutorialWindow::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED || !control || id < kCommand1 || id >= kCommand1 + kStepCount) return false;
    Command1_Click(id - kCommand1);
    return true;
}

INT_PTR TutorialWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != Item(kText1)) return 0;
    // The step text is read-only, but reads as a page: the window's colours, not grey.
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    handled = true;
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace velmora
