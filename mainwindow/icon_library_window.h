// Form2, the icon library: a small dialog without caption text, centred on the main window, with
// a toolbar of the 25 library icons of which exactly one is pressed, "Cancel" (Esc) and "OK"
// (Enter). The keyboard reaches the icons: Tab, the arrow keys to press another, Enter or Space to
// choose it.
#pragma once

#include "common/window_base.h"

#include <commctrl.h>

#include <string>

namespace velmora {

class IconLibraryWindow : public Dialog {
public:
    // Opens with library icon `pressed` pressed; the icons come from programFolder\icons.
    IconLibraryWindow(std::wstring programFolder, int pressed);
    ~IconLibraryWindow() override;

    // The icon pressed when OK was clicked; 0 when the window was cancelled.
    int chosen() const { return chosen_; }
    HWND toolbar() const { return Item(kToolbarId); }

    static constexpr int kToolbarId = 101;

protected:
    void OnInit() override;    // Form_Load
    void OnOK() override;      // Command2_Click
    void OnCancel() override;  // Command1_Click
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    static LRESULT CALLBACK KeyboardProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    std::wstring programFolder_;
    int pressed_;
    int chosen_ = 0;
    UniqueHimagelist images_;
};

}  // namespace velmora
