// Form1, the editor's main window: the list of added buttons, the fields of the button being
// edited, the icon choice, the drop area, the menus and the status bar. Creating it runs the
// program's start-up (Form_Load); closing it ends the program.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "texts/editor_texts.h"
#include "buttons/button_list.h"
#include "mainwindow/button_images.h"
#include "buttons/button_operations.h"
#include "common/prompts.h"
#include "common/shell_open.h"
#include "common/window_base.h"
#include "common/windows_version.h"
#include "mainwindow/editor_commands.h"
#include "mainwindow/drop_target.h"
#include "mainwindow/editor_fields.h"
#include "mainwindow/highlight_shapes.h"
#include "mainwindow/main_window_shape.h"
#include "mainwindow/tutorial_window.h"
#include "settings/registry_stores.h"

#include <functional>
#include <memory>
#include <string>

namespace velmora {

struct MainWindowSetup {
    std::wstring programFolder;  // ends in a backslash; holds "icons" and the tips file
    std::wstring programName;    // the program file's name without extension, for the tips switch
    std::wstring commandLine;    // what followed the program's name on its command line
    // Whether another instance of the editor is running already.
    std::function<bool()> anotherInstanceRunning = [] { return false; };
    bool quitOnClose = false;  // the program's own window ends the message loop when it goes
    // The build number of the Windows the editor runs on: on Windows 11 it says once, at
    // start-up, that no browser there shows the buttons, and so does "Check Buttons...".
    WindowsBuildSource windowsBuild = RunningWindowsBuild;
};

class MainWindow : public MainWindowShape, private TutorialHost {
public:
    MainWindow(EditorPrompts& prompts, RegistryApi& registry = SystemRegistry(), ShellApi& shell = SystemShell());
    ~MainWindow() override;

    // Creates the window and runs the start-up, the window not yet shown. Answers null when the
    // program is to end: another instance runs, or the icons folder is missing.
    HWND Create(MainWindowSetup setup);
    // Shows the created window, then the notice about Windows 11 (there only, unless turned off),
    // the tip of the day (unless turned off) and the file named on the command line, whose boxes
    // the window then owns.
    void Show(int showCommand);
    // What Show says after showing the window; once.
    void ShowStartupMessages();

    EditorFields& fields() { return *fields_; }
    ButtonList& list() { return list_; }
    // The image (from 1; 0 none) the list shows for row `row` (from 0).
    long long rowImage(int row) const { return row >= 0 && row < std::ssize(rowImages_) ? rowImages_[row] : 0; }
    RegistryStores& Stores() { return stores_; }
    bool showTipsMenuTicked() const;

    // Shows the list of added buttons again after it changed, with the states that depend on it,
    // and row `current` (from 0; the nearest one there is) as the current row.
    void ShowList(int current = 0);
    // The current row of the list (from 0), or -1 when there is none.
    int CurrentRow() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // What the tutorial asks of the main window: its red outlines and the flashing timer.
    HWND TutorialOwner() const override { return hwnd_; }
    HighlightShapes& Shape1() override;
    void SetTimer2(bool enabled) override;

private:
    bool Form_Load();
    void Form_Activate(bool active);
    void Form_QueryUnload();
    void mnuFileCheck_Click();
    void CreateControls();
    void OnCommand(int id, int code, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void EnableAutoComplete(HWND textField);
    void RegisterDropArea();

    // Makes row `row` (from 0; the nearest one there is) the selected, current row.
    void SelectRow(int row);
    // Chooses the current row again when the list was left without a selected row.
    void KeepCurrentRow();
    // Scrolls the current row into view before a command acts on it, so that the user sees the
    // row it acts on (the list shows its selected row also without the focus); answers it.
    int ShowCurrentRow();
    void ShowFields();
    std::wstring PreviewName() const;
    void CentreImage1();
    void UpdateEnabledStates();

    void OnNotify(const NMHDR& header);
    void OnMouseMove(POINT point);
    void ShowHoverText(const std::wstring& text);
    void ListView1_MouseMove(POINT point);
    static LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    // The list's menu at a point on the screen.
    void ShowListPopup(POINT at);
    POINT CurrentRowCorner() const;
    // What Enter presses (DM_GETDEFID): the focused push button, or "Edit Selected" on the list.
    LRESULT DefaultCommand() const;
    void MoveFocus(const FocusRequest& request);
    void SetTipsTick(bool ticked);

    EditorPrompts& prompts_;
    RegistryApi& registry_;
    ShellApi& shell_;
    RegistryStores stores_;
    ButtonList list_;
    ButtonImages images_;               // the list's small images
    std::vector<long long> rowImages_;  // the image each row shows
    std::unique_ptr<EditorFields> fields_;
    std::unique_ptr<ButtonOperations> operations_;
    std::unique_ptr<EditorCommands> commands_;
    UniqueHmenu pop_;  // the list's pop-up menu
    std::unique_ptr<HighlightShapes> shape1_;
    std::unique_ptr<TutorialWindow> tutorial_;  // after the outlines: it goes first
    std::unique_ptr<DropArea> dropArea_;
    MainWindowSetup setup_;
    static constexpr UINT kKeepCurrentRowMessage = WM_APP + 2;  // after DropArea::kRunDropMessage
    int currentRow_ = 0;                                        // the row the user chose last
    bool keepRowPosted_ = false;                                // kKeepCurrentRowMessage is on its way
    bool firstActivation_ = false;
    bool showTipOfTheDay_ = false;    // at Show
    unsigned long windowsBuild_ = 0;  // read once, at the start-up
    bool windowsNoticeDue_ = false;   // at Show, where the Windows has no Internet Explorer
    bool showingFields_ = false;
    HWND lastFocus_ = nullptr;
    UniqueHicon dropPicture_;
};

}  // namespace velmora
