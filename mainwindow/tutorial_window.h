// Form4, the interactive tutorial: a small modeless window beside the main window that explains
// adding a button in five steps. The step buttons show each step's text and make a red outline
// (Shape1) flash around the area of the main window that the step is about, driven by the main
// window's Timer2, while the user goes on working in the main window. The close box, Alt+F4 and
// Esc close it.
#pragma once

#include "common/window_base.h"
#include "mainwindow/highlight_shapes.h"

#include <memory>

namespace velmora {

inline constexpr const wchar_t* kTutorialCaption = L"Velmora Tutorial";

// The main window's Timer2: its identifier on the main window and its interval.
inline constexpr UINT_PTR kTimer2Id = 2;
inline constexpr UINT kTimer2Interval = 500;

// What the tutorial uses of the main window.
class TutorialHost {
public:
    // The main window, which owns the tutorial.
    virtual HWND TutorialOwner() const = 0;
    // The outlines Shape1(0) to Shape1(4).
    virtual HighlightShapes& Shape1() = 0;
    // Starts Timer2 (a fresh interval of kTimer2Interval, each tick handed to
    // TutorialWindow::Timer2_Timer) or stops it.
    virtual void SetTimer2(bool enabled) = 0;

protected:
    ~TutorialHost() = default;
};

class TutorialWindow : public Dialog {
public:
    // Control ids; the step buttons Command1(0) to Command1(4) are kCommand1 + index.
    static constexpr int kLabel1 = 100;
    static constexpr int kFrame1 = 101;
    static constexpr int kText1 = 102;
    static constexpr int kCommand1 = 110;
    static constexpr int kStepCount = 5;

    // The menu item "&Interactive Tutorial": loads the tutorial beside the main window, or brings
    // the open one forward. tutorial holds the window between calls.
    static void ShowOrActivate(TutorialHost& host, std::unique_ptr<TutorialWindow>& tutorial);

    explicit TutorialWindow(TutorialHost& host);
    ~TutorialWindow() override;

    // Creates the window owned by the main window, places it and shows it.
    HWND Load();

    // A click of Command1(index).
    void Command1_Click(int index);
    // A tick of the main window's Timer2: the chosen step's outline goes on or off. Nothing while
    // the tutorial is closed.
    void Timer2_Timer();

    // The step whose outline flashes (0 to 4); 0 until a step is chosen and after closing.
    int CurrentStep = 0;

protected:
    void OnInit() override { CreateControls(); }
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override {}  // Enter in the text: nothing to confirm
    // Esc closes the window wherever the focus is in it, as the close box does.
    void OnCancel() override { Close(IDCANCEL); }
    void OnUnload() override { Form_Unload(); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void CreateControls();
    void Form_Load();
    void Form_Unload();

    TutorialHost& host_;
};

}  // namespace velmora
