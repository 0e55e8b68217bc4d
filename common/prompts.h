// Every message box the programs show goes through this interface: the real programs show
// real message boxes, tests answer from a script and record what was asked.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// The title of the messages that say an operation could not be done.
inline constexpr const wchar_t* kProblemTitle = L"Problem";

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a message with the MB_* buttons and icon in style; answers IDOK, IDYES, IDNO, ...
    virtual int Message(const std::wstring& text, const std::wstring& title, UINT style) = 0;
};

// Message boxes owned by a window (or by none).
class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    int Message(const std::wstring& text, const std::wstring& title, UINT style) override;

private:
    HWND owner_;
};

// The four one-time notices.
enum class Notice {
    AddButton,    // the browser shows a new button after it restarts
    Change,       // a change shows after the browser restarts
    ProgramIcon,  // a program's own icon has no hot and cold looks
    DragAndDrop,  // a drop fills the fields but adds nothing
};

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
};

}  // namespace velmora
