// Form1 of the button deleter: a fixed, centred window with a frame holding a bold and a plain
// label, and the one button "Delete All Added Buttons".
#pragma once

#include "common/prompts.h"
#include "common/unique_handles.h"
#include "settings/reg_settings.h"

#include <windows.h>

namespace velmora {

inline constexpr const wchar_t* kDeleterCaption = L"Velmora Button Deleter";
inline constexpr const wchar_t* kDeleterHeading = L"This program deletes all buttons added to IE's toolbar with Velmora.";
inline constexpr const wchar_t* kDeleterAdvice =
    L"Use this program only if you are having problems starting Velmora. These problems are usually a result of "
    L"an incompatibility between some display adapters and the way the program displays certain icons. After "
    L"deleting all added buttons, it is recommended that you only use icons from VLM's built-in icon library on "
    L"future added buttons until we release an updated version of the program which fixes the above mentioned "
    L"issues.";
inline constexpr const wchar_t* kDeleteButtonText = L"Delete All Added Buttons";

class DeleterWindow {
public:
    // The window uses settings for the registry and prompts for its message boxes; the program's
    // own window ends the message loop when it closes.
    DeleterWindow(CRegSettings& settings, Prompts& prompts, bool quitOnClose = false)
        : settings_(settings), prompts_(prompts), quitOnClose_(quitOnClose) {}
    DeleterWindow(const DeleterWindow&) = delete;
    DeleterWindow& operator=(const DeleterWindow&) = delete;
    ~DeleterWindow();

    // Creates the window, centred on the screen and not yet shown.
    HWND Create(HINSTANCE instance);
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void Command1_Click();
    void OnDestroy();

    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int left, int top, int width,
                    int height, HFONT font);

    CRegSettings& settings_;
    Prompts& prompts_;
    bool quitOnClose_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    UniqueHfont font_;
    UniqueHfont boldFont_;
};

}  // namespace velmora
