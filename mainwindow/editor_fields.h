// The fields of the button being edited, as a model the main window shows: the five texts, the
// three check boxes, the scope and the icon choice with its two displays. Every setter runs the
// change rules exactly when the value really changes, whether the user or the program changed it,
// nested and in their fixed order: "Derive from Filename" fills the button text from the file name,
// "Synch All" keeps the three texts equal, "Use Program Icon" takes the program's icon.
#pragma once

#include "buttons/button_checks.h"
#include "mainwindow/editor_prompts.h"
#include "texts/editor_texts.h"
#include "buttons/button_list.h"
#include "buttons/button_operations.h"
#include "buttons/icon_files.h"
#include "common/prompts.h"
#include "common/unique_handles.h"
#include "settings/reg_settings.h"

#include <functional>
#include <string>

namespace velmora {

enum class TextField {
    Text1,  // "File to Launch"
    Text2,  // "Button Text"
    Text3,  // "Menu Status Bar Text"
    Text4,  // "Menu Text"
    Text5,  // "Command Line Parameters"
};

enum class CheckField {
    Check1,  // "Use Program Icon"
    Check2,  // "Synch All"
    Check3,  // "Derive from Filename"
};

// The picture in "Selected Icon:" (Image1): a library icon by number, or an icon taken from a
// file (a program's large icon, or a chosen ".ico" file), or nothing.
struct IconPreview {
    int libraryNumber = 0;  // 1 to 25 when a library icon is shown
    UniqueHicon icon;       // the picture shown; for a library icon its colour look
};

class EditorFields {
public:
    // preferences: the store of the notice flags; programFolder
    // ends in a backslash and holds the folder "icons".
    EditorFields(EditorPrompts& prompts, CRegSettings& preferences, std::wstring programFolder);

    const std::wstring& Text(TextField field) const { return texts_[static_cast<int>(field)]; }
    int Check(CheckField field) const { return checks_[static_cast<int>(field)]; }
    bool scopeAllUsers() const { return scopeAllUsers_; }

    // Assignments as the program makes them: the change handler runs when the value differs.
    void SetText(TextField field, const std::wstring& value);
    void SetCheck(CheckField field, int value);
    void SetScopeAllUsers(bool allUsers);

    // What the user does in the window. Each act ends with the rule that an empty "File to
    // Launch" unticks "Use Program Icon", so that it holds whenever the user can see the window.
    void UserTyped(TextField field, const std::wstring& value);
    void UserClicked(CheckField field);  // a click toggles the box
    void UserChoseScope(bool allUsers);
    void Command1_Click();  // "...": browse for the file to launch
    void Command3_Click();  // "Select Icon from Library"
    void Command5_Click();  // "Select Icon from Disk"

    // The "Use Program Icon" handler, run with the box's current value. It runs by itself when
    // the box changes; other operations run it directly.
    void Check1_Click();

    // "Use Program Icon" can be ticked only while there is a file to launch.
    bool UseProgramIconEnabled() const { return !Text(TextField::Text1).empty(); }

    // Shows library icon `number` in "Selected Icon:".
    void ShowLibraryIcon(int number);
    // Takes the icon of the file in "File to Launch" again, quietly, unless it is shown already;
    // a file without one shows no picture.
    void RefreshProgramIcon();
    // Whether the pictures are the icon of the file in "File to Launch" (for "Use Program Icon").
    bool ProgramIconTaken() const;
    // The disk icon is no choice any more (its file went with a deleted button): library icon 1.
    void ForgetDiskIcon();

    // The button the fields define, with the icon the choice gives: the program icon when "Use
    // Program Icon" is ticked, else the disk icon when one was chosen, else the library icon.
    ButtonDraft Draft() const;
    // Loads a row of the list into the fields ("Edit Selected"): the texts in their order (so
    // that derive and synch run), the scope, and the row's icon as the icon choice.
    void LoadRow(const ButtonRow& row);
    // The editor as it is after adding or updating a button: empty texts, "Current User",
    // library icon 1, "Use Program Icon" and "Derive from Filename" unticked.
    void ResetAfterSave();
    // "Reset All to Default": empty texts, "Derive from Filename" unticked, "Synch All" ticked,
    // and no disk icon chosen any more, so that the library icon shown is the one a button gets.
    void Command9_Click();

    // The icon choice: the program icon ("Use Program Icon") wins over the disk icon, the disk icon
    // over the library icon.
    bool IconFromDisk = false;
    std::wstring DiskIconFile;
    int LibraryIconNumber = 1;
    // "no" while the program itself, not the user, changes "Use Program Icon": its handler then
    // shows no notice, and empties the flag when it ends.
    std::wstring IconNoticeFlag;

    IconHolder picico;   // the small icon of the chosen file: whether it gives one
    IconPreview Image1;  // the large picture in "Selected Icon:"

    // Called after every change of a field or a display, so that the window can show it.
    std::function<void()> changed;
    // Called after every new picture in "Selected Icon:", so that the window centres it again.
    std::function<void()> previewChanged;

private:
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Check2_Click();
    void Check3_Click();
    void AfterUserAct();
    // Shows the icons of the file, or of the program that opens it; false when neither has one.
    bool TakeProgramIcons(const std::wstring& file);
    void ShowFileIcons(UniqueHicon small, UniqueHicon large);
    void ShowNoPreview();
    void Changed();

    EditorPrompts& prompts_;
    CRegSettings& preferences_;
    std::wstring programFolder_;
    std::wstring texts_[5];
    int checks_[3] = {0, 1, 0};  // "Synch All" starts ticked
    bool scopeAllUsers_ = false;
    std::wstring programIconOf_;  // the file whose icon the pictures show, for "Use Program Icon"
};

// The colour look of library icon `number` from the icons folder, 20 x 20 at 100 % and scaled
// with the screen's DPI; empty when missing.
UniqueHicon LoadLibraryIcon(const std::wstring& programFolder, int number);

}  // namespace velmora
