// What a user sees of a window and what a user does to it: its texts, a click on a button and a
// key pressed in it.
#pragma once

#include <windows.h>

#include <string>

namespace velmora::testing {

// The text of a window, or of its child with the control id.
inline std::wstring WindowText(HWND window, int id = 0) {
    wchar_t text[2048] = {};
    ::GetWindowTextW(id ? ::GetDlgItem(window, id) : window, text, 2048);
    return text;
}

inline void ClickButton(HWND window, int id) {
    ::SendMessageW(::GetDlgItem(window, id), BM_CLICK, 0, 0);
}

// A key as the dialog manager gets it when the user presses it in the window.
inline void PressKey(HWND dialog, WPARAM key) {
    MSG message{::GetDlgItem(dialog, IDOK), WM_KEYDOWN, key, 0, 0, {}};
    ::IsDialogMessageW(dialog, &message);
}

}  // namespace velmora::testing
