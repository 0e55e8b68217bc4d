// Form1 of the button deleter: a fixed, centred window with a frame holding a bold and a plain
// label, and the one button "Delete All Added Buttons".
#pragma once

#include "texts/deleter_texts.h"
#include "common/prompts.h"
#include "common/unique_handles.h"
#include "common/window_base.h"
#include "settings/registry_stores.h"

#include <windows.h>

namespace velmora {

class DeleterWindow : public FrameWindow {
public:
    // The window uses settings for the registry and prompts for its message boxes; the program's
    // own window ends the message loop when it closes.
    DeleterWindow(RegistryStores& stores, Prompts& prompts, bool quitOnClose = false)
        : stores_(stores), prompts_(prompts), quitOnClose_(quitOnClose) {}
    ~DeleterWindow() override;

    // Creates the window, centred on the screen and not yet shown.
    HWND Create(HINSTANCE instance);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Form_Load();
    void Command1_Click();

    RegistryStores& stores_;
    Prompts& prompts_;
    bool quitOnClose_;
    UniqueHfont boldFont_;
};

}  // namespace velmora
