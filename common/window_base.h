// What every window of the programs shares: child controls placed in twips (1/1440 inch) and
// converted at the screen's DPI, the system message font, tooltips, centring, and the thunks from
// the window and dialog procedures to a C++ object. Each window then holds only its controls and
// handlers.
#pragma once

#include "common/ui_metrics.h"
#include "common/unique_handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

// A position and size in twips, relative to the window's client area.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The same rectangle moved by another one's top-left corner (a control inside a frame).
    constexpr TwipsRect Inside(const TwipsRect& frame) const {
        return {frame.left + left, frame.top + top, width, height};
    }
};

// Places a window centred over another window, or over the work area when there is none, and
// keeps it on the work area.
void CentreWindow(HWND window, HWND over);

// Sets the size of a window so that its client area has the given size in pixels.
void SetClientSize(HWND window, int width, int height);

// The program's message loop, until WM_QUIT: the keyboard of every top-level window of the
// program works as in a dialog (Tab, Enter, Esc, mnemonics), and the mouse's messages reach the
// windows' tooltips. Answers the exit code.
int RunMessageLoop();

class ControlHost {
public:
    ControlHost() = default;
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    virtual ~ControlHost() = default;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    int Px(int twips) const { return TwipsToPixels(twips, dpi_); }
    int dpi() const { return dpi_; }
    HFONT font() const { return font_.get(); }

protected:
    // Takes the window's DPI and creates the font; called once the window exists.
    void InitHost(HWND hwnd);
    // Creates a visible child control with the window's font, at a place given in twips.
    HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id, const TwipsRect& at,
                    DWORD exStyle = 0);
    // Gives a control a tooltip, shown by one tooltip control of the window, which sees the mouse
    // through RunMessageLoop.
    void AddTooltip(HWND control, const wchar_t* text);
    // Grows a label's height, keeping its width, until its text fits with the label's font.
    void FitLabelHeight(HWND label);
    // Grows a check box or option button to the width its caption needs with its font.
    void FitButtonWidth(HWND button);
    // The width a control's caption takes on one line with its font, in pixels.
    int TextWidth(HWND control) const;
    // Grows a one-line label to the width its text needs, or to minWidth pixels when that is
    // more (so that fields beside a column of labels line up); the field beside it on the right
    // gives up the room, keeping its right edge.
    void FitLabelBeside(HWND label, HWND field, int minWidth = 0);
    // A control's place in the window's client area, in pixels.
    RECT PlaceOf(HWND control) const;

    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    UniqueHfont font_;

private:
    HWND tooltip_ = nullptr;
    std::vector<std::wstring> tooltipTexts_;
};

// What runs when a window object goes while its window is still there, a derived window that did
// not call DestroyOwnWindow in its destructor. The check runs in every build: the window is cut
// off from the object and destroyed, so that no later message reaches the freed object, the fault
// is written to the debugger's output, and then the handler set here runs with the same text
// (none in the programs; the tests fail the running test). Answers the handler it replaces.
using WindowFaultHandler = void (*)(const wchar_t* fault);
WindowFaultHandler SetWindowFaultHandler(WindowFaultHandler handler);

// A top-level window of a registered class, with its messages dispatched to HandleMessage.
//
// Each derived window calls DestroyOwnWindow in its own destructor: the window's last messages
// then still reach the derived HandleMessage, and the members they use still exist. This
// destructor only checks that it was done (SetWindowFaultHandler).
class FrameWindow : public ControlHost {
public:
    ~FrameWindow() override;

protected:
    // Registers the class (once) and creates the window, not yet shown, with menu as its menu bar
    // (none when empty); the window owns the menu from then on. WM_CREATE reaches HandleMessage
    // like every other message.
    HWND CreateFrame(const wchar_t* className, const std::wstring& caption, DWORD style, UniqueHmenu menu, HICON icon,
                     int clientWidthPx, int clientHeightPx);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Destroys the window if it is still there.
    void DestroyOwnWindow();

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A dialog built without a resource template: its controls are created in OnInit at twips
// positions. The dialog manager gives it Tab, Enter (the default button, IDOK) and Esc (IDCANCEL).
//
// As with FrameWindow, each derived dialog calls DestroyOwnWindow in its own destructor, and this
// destructor only checks that it was done (SetWindowFaultHandler).
class Dialog : public ControlHost {
public:
    ~Dialog() override;

    // Shows the dialog modally, owned by owner, and answers the result it was closed with.
    INT_PTR ShowModal(HWND owner);
    // Creates the dialog without a modal loop (tests drive it this way); Close destroys it.
    HWND CreateModeless(HWND owner);

protected:
    enum class Placement { CentredOnScreen, CentredOnOwner };
    // style: the window styles of the dialog; a caption bar only when style has WS_CAPTION.
    Dialog(std::wstring caption, int clientWidthTwips, int clientHeightTwips, Placement placement,
           DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);

    // Creates the controls; the dialog has its size and place already.
    virtual void OnInit() = 0;
    // A command from a control or the keyboard; answers whether it was handled.
    virtual bool OnCommand(int id, int code, HWND control) { return false; }
    virtual void OnOK() { Close(IDOK); }          // Enter, or the button IDOK
    virtual void OnCancel() { Close(IDCANCEL); }  // Esc, or the button IDCANCEL
    virtual void OnCloseBox() { OnCancel(); }     // the close box, Alt+F4
    // Runs once as the dialog goes, however it is closed.
    virtual void OnUnload() {}
    // Any other message; set handled to answer it.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) { return 0; }

    void Close(INT_PTR result);
    HWND owner() const { return owner_; }
    // Destroys a modeless dialog's window if it is still there; a modal one is ended by its loop.
    void DestroyOwnWindow();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<WORD> Template() const;

    std::wstring caption_;
    int widthTwips_;
    int heightTwips_;
    Placement placement_;
    DWORD style_;
    HWND owner_ = nullptr;
    bool modal_ = false;
};

}  // namespace velmora
