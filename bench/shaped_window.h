// A window of the editor's shape with none of its logic, the second yardstick of the start-up
// benchmark. It creates the controls of the editor's main window from the editor's layout table
// through the same code (MainWindowShape): the frames, fields, buttons, check boxes, option buttons, the two
// owner-drawn pictures, the list with its 8 columns and its small images, the status bar, the menu bar and the list's
// menu, and the tooltips. "File to Launch" completes paths and the window is a drop target (one that takes nothing), as
// the editor's are. The list shows the first rows of the buttons the benchmark records for the editor (button_mix.h),
// their icons taken from the same files the same ways. It reads and writes no registry, and its buttons do nothing.
#pragma once

#include "common/unique_handles.h"
#include "common/window_base.h"
#include "mainwindow/main_window_shape.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

namespace velmora::bench {

// The class of its window, which startup_driver looks for.
inline constexpr const wchar_t* kShapedWindowClass = L"VelmoraBenchShapedWindow";

class ShapedWindow : public MainWindowShape {
public:
    // rows: how many of the recorded buttons the list shows (0 to 20); programFolder ends in a
    // backslash and holds "icons". With quitOnClose the window ends the message loop when it goes.
    ShapedWindow(int rows, std::wstring programFolder, bool quitOnClose);
    ~ShapedWindow() override;

    // Creates the window with its controls and rows, not yet shown. OLE and the common controls
    // are started already.
    HWND Create();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void ShowPreview();
    void FillList();

    int rows_;
    std::wstring folder_;
    bool quitOnClose_;
    UniqueHimagelist images_;
    UniqueHmenu pop_;
    UniqueHicon preview_;
    UniqueHicon dropPicture_;
    ComPtr<IDropTarget> dropTarget_;
    bool dropRegistered_ = false;
    bool activated_ = false;
};

}  // namespace velmora::bench
