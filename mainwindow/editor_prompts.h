// What the editor asks of the user beyond message boxes.
#pragma once

#include "common/prompts.h"
#include "settings/preferences.h"

#include <windows.h>

#include <string>

namespace velmora {

// Everything the editor asks of the user: message boxes, and the modal windows its operations
// open in the middle of their work. The program shows real windows; tests answer from a script.
class EditorPrompts : public Prompts {
public:
    // The window that owns the message boxes and modal windows from now on.
    virtual void SetOwner(HWND owner) = 0;
    // Shows the notice window, owned by the main window; its OK stores whether it comes again.
    virtual void ShowNotice(Notice notice) = 0;
    // The open-file dialog. filter lists description and pattern pairs, each followed by "|".
    // Answers the chosen file's full path, or an empty text when the user cancels.
    virtual std::wstring ShowOpenDialog(const std::wstring& filter, const std::wstring& title,
                                        const std::wstring& initialFolder) = 0;
    // The save-file dialog, opening in initialFolder with fileName proposed; it asks before a file
    // is replaced. Answers the chosen file's full path, or an empty text when the user cancels.
    virtual std::wstring ShowSaveDialog(const std::wstring& filter, const std::wstring& title,
                                        const std::wstring& initialFolder, const std::wstring& fileName) = 0;
    // The icon library window, opened with library icon `current` pressed. Answers the icon
    // pressed when the user clicks OK, or 0 for Cancel.
    virtual int ChooseLibraryIcon(int current) = 0;
    // The tip of the day, its check box "Show Tips at Startup" starting as given. Answers the
    // check box as it was when the window closed.
    virtual bool ShowTipOfTheDay(bool showTipsAtStartup) = 0;
    // The summary of an export or an import: a message box's title, text, icon (MB_ICON*) and
    // "OK", its text scrolling when it is long.
    virtual void ShowSummary(const std::wstring& text, const std::wstring& title, UINT icon) = 0;
};

}  // namespace velmora
