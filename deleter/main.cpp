// vlmbd: removes every button the editor can have added, in one confirmed click.
#include "common/prompts.h"
#include "common/window_base.h"
#include "deleter/deleter_window.h"
#include "settings/registry_stores.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    velmora::RegistryStores stores;
    velmora::MessageBoxPrompts prompts;
    velmora::DeleterWindow window(stores, prompts, true);
    HWND hwnd = window.Create(instance);
    if (!hwnd) return 1;
    prompts.SetOwner(hwnd);
    ::ShowWindow(hwnd, showCommand);
    ::UpdateWindow(hwnd);

    return velmora::RunMessageLoop();
}
