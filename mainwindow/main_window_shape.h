// What the editor's main window and the benchmark's window of the same shape share: the controls
// of the layout table made through the window base in the table's order, the list's columns, the
// status bar, and the labels and boxes fitted to the window's font. Each window adds its own
// logic on top.
#pragma once

#include "common/window_base.h"

#include <windows.h>
#include <commctrl.h>

namespace velmora {

class MainWindowShape : public FrameWindow {
protected:
    // Creates every control of the layout table (the order of the Tab key) and the status bar
    // below them; the list shows smallImages, which the caller keeps.
    void CreateLayoutControls(HIMAGELIST smallImages);
};

}  // namespace velmora
