// The second yardstick of the start-up benchmark: the window of the editor's shape with none of
// its logic (shaped_window.h), as a program of its own. It carries vlm's resources (the manifest
// asking for common controls 6, the icon) and starts OLE and the common controls as vlm does;
// the list shows ROWS rows (0 unless given). Whatever vlm takes beyond this program is the cost
// of its own work.
//
//   shaped_window [ROWS]
#include "bench/shaped_window.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

namespace {

// The folder of the program, ending in a backslash.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    const int rows = std::clamp(commandLine ? _wtoi(commandLine) : 0, 0, 20);
    const bool oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exitCode = 1;
    {
        velmora::bench::ShapedWindow window(rows, ProgramFolder(), true);
        HWND hwnd = window.Create();
        if (hwnd) {
            ::ShowWindow(hwnd, showCommand);
            ::UpdateWindow(hwnd);
            exitCode = velmora::RunMessageLoop();
        }
    }
    if (oleStarted) ::OleUninitialize();
    return exitCode;
}
