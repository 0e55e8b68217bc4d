#include "mainwindow/editor_fields.h"
#include "buttons/file_places.h"

#include "buttons/path_parts.h"
#include "common/ui_metrics.h"
#include "settings/preferences.h"

namespace velmora {

UniqueHicon LoadLibraryIcon(const std::wstring& programFolder, int number) {
    // 20 pixels at 100 %, and as many more as the screen's DPI asks (30 at 150 %, 40 at 200 %).
    const int size = ::MulDiv(20, ScreenDpi(), 96);
    const std::wstring file = LibraryHotIconFile(programFolder, number);
    return UniqueHicon(
        static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
}

EditorFields::EditorFields(EditorPrompts& prompts, CRegSettings& preferences, std::wstring programFolder)
    : prompts_(prompts), preferences_(preferences), programFolder_(std::move(programFolder)) {}

void EditorFields::Changed() {
    if (changed) changed();
}

void EditorFields::SetText(TextField field, const std::wstring& value) {
    std::wstring& text = texts_[static_cast<int>(field)];
    if (text == value) return;
    text = value;
    Changed();
    switch (field) {
    case TextField::Text1:
        Text1_Change();
        break;
    case TextField::Text2:
        Text2_Change();
        break;
    case TextField::Text3:
        Text3_Change();
        break;
    case TextField::Text4:
        Text4_Change();
        break;
    case TextField::Text5:
        break;
    }
}

void EditorFields::SetCheck(CheckField field, int value) {
    int& check = checks_[static_cast<int>(field)];
    if (check == value) return;
    check = value;
    Changed();
    switch (field) {
    case CheckField::Check1:
        Check1_Click();
        break;
    case CheckField::Check2:
        Check2_Click();
        break;
    case CheckField::Check3:
        Check3_Click();
        break;
    }
}

void EditorFields::SetScopeAllUsers(bool allUsers) {
    if (scopeAllUsers_ == allUsers) return;
    scopeAllUsers_ = allUsers;
    Changed();
}

// --- What the user does ---------------------------------------------------------------------

void EditorFields::AfterUserAct() {
    if (Text(TextField::Text1).empty()) SetCheck(CheckField::Check1, 0);
}

void EditorFields::UserTyped(TextField field, const std::wstring& value) {
    SetText(field, value);
    AfterUserAct();
}

void EditorFields::UserClicked(CheckField field) {
    // A box that cannot be ticked now stays as it is.
    if (field == CheckField::Check1 && !UseProgramIconEnabled() && Check(field) == 0) return;
    SetCheck(field, Check(field) ? 0 : 1);
    AfterUserAct();
}

void EditorFields::UserChoseScope(bool allUsers) {
    SetScopeAllUsers(allUsers);
    AfterUserAct();
}

void EditorFields::Command1_Click() {
    const std::wstring path = prompts_.ShowOpenDialog(kProgramFilesFilter, kProgramFilesTitle, programFolder_);
    if (path.empty()) return;
    SetText(TextField::Text1, path);
    // A ticked "Use Program Icon" takes the new program's icon, without the notice.
    IconNoticeFlag = L"no";
    Check1_Click();
    AfterUserAct();
}

void EditorFields::Command3_Click() {
    const int chosen = prompts_.ChooseLibraryIcon(LibraryIconNumber);
    if (chosen >= 1) {
        LibraryIconNumber = chosen;
        SetCheck(CheckField::Check1, 0);
        ShowLibraryIcon(LibraryIconNumber);
        IconFromDisk = false;
    }
    if (previewChanged) previewChanged();
    AfterUserAct();
}

void EditorFields::Command5_Click() {
    const std::wstring path = prompts_.ShowOpenDialog(kIconFilesFilter, kIconFilesTitle, programFolder_);
    if (path.empty()) return;
    // A file without an icon (not an icon file, empty, or gone since) would give the button no
    // picture, and the next start would swap it for library icon 1: the user is told, and the
    // icon choice stays as it was.
    UniqueHicon small = ProgramIconPicture(path, 0, false);
    if (!small) {
        prompts_.Message(kNoIconInFileText, kNoIconFoundTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    DiskIconFile = path;
    SetCheck(CheckField::Check1, 0);
    IconFromDisk = true;
    ShowFileIcons(std::move(small), ProgramIconPicture(path, 0, true));
    AfterUserAct();
}

// --- Change handlers ------------------------------------------------------------------------

void EditorFields::Text1_Change() {
    Check3_Click();
    // A ticked "Use Program Icon" always shows the icon of the file in the field, taken quietly
    // while the user types: a file without one (a path half typed) shows no picture until it has
    // one, and adding or updating then says so.
    if (Check(CheckField::Check1) == 1) RefreshProgramIcon();
}

bool EditorFields::TakeProgramIcons(const std::wstring& file) {
    ProgramIcons icons = velmora::TakeProgramIcons(file);
    if (!icons.small) return false;
    ShowFileIcons(std::move(icons.small), std::move(icons.large));
    programIconOf_ = file;
    return true;
}

void EditorFields::RefreshProgramIcon() {
    const std::wstring& file = Text(TextField::Text1);
    if (programIconOf_ == file && Image1.icon) return;
    programIconOf_.clear();
    if (file.empty() || !TakeProgramIcons(file)) ShowNoPreview();
}

bool EditorFields::ProgramIconTaken() const {
    return !programIconOf_.empty() && programIconOf_ == Text(TextField::Text1) && Image1.icon && !picico.empty();
}

void EditorFields::Check3_Click() {
    if (Check(CheckField::Check3) != 1) return;
    SetText(TextField::Text2, PathPart(Text(TextField::Text1), PathSelector::BaseName));
    if (Check(CheckField::Check2) != 1) {
        SetText(TextField::Text3, L"");
        SetText(TextField::Text4, L"");
    }
}

void EditorFields::Check2_Click() {
    Text2_Change();
}

void EditorFields::Text2_Change() {
    if (Check(CheckField::Check2) != 1) return;
    const std::wstring text = Text(TextField::Text2);
    SetText(TextField::Text3, text);
    SetText(TextField::Text4, text);
}

void EditorFields::Text3_Change() {
    if (Check(CheckField::Check2) != 1) return;
    const std::wstring text = Text(TextField::Text3);
    SetText(TextField::Text2, text);
    SetText(TextField::Text4, text);
}

void EditorFields::Text4_Change() {
    if (Check(CheckField::Check2) != 1) return;
    const std::wstring text = Text(TextField::Text4);
    SetText(TextField::Text2, text);
    SetText(TextField::Text3, text);
}

void EditorFields::Check1_Click() {
    if (Check(CheckField::Check1) == 1) {
        const std::wstring file = Text(TextField::Text1);
        programIconOf_.clear();
        if (!file.empty()) {
            IconFromDisk = false;
            if (!TakeProgramIcons(file)) {
                prompts_.Message(kNoIconFoundText, kNoIconFoundTitle, MB_OK | MB_ICONSTOP);
                SetCheck(CheckField::Check1, 0);  // runs this handler again, for the unticked box
                return;
            }
        } else {
            ShowNoPreview();
        }
        if (IconNoticeFlag != L"no" && NoticeWanted(preferences_, Notice::ProgramIcon)) {
            prompts_.ShowNotice(Notice::ProgramIcon);
        }
        IconNoticeFlag.clear();
    } else {
        if (IconNoticeFlag != L"no") ShowLibraryIcon(LibraryIconNumber);
        IconNoticeFlag.clear();
    }
}

// --- Whole-editor changes -------------------------------------------------------------------

ButtonDraft EditorFields::Draft() const {
    ButtonDraft draft;
    Button& button = draft.button;
    button.fileToLaunch = Text(TextField::Text1);
    button.parameters = Text(TextField::Text5);
    button.buttonText = Text(TextField::Text2);
    button.menuText = Text(TextField::Text4);
    button.statusBarText = Text(TextField::Text3);
    button.scope = scopeAllUsers_ ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
    button.iconKind = Check(CheckField::Check1) == 1 ? IconKind::Program
                      : IconFromDisk                 ? IconKind::Disk
                                                     : IconKind::Library;
    if (button.iconKind == IconKind::Disk) button.iconFile = DiskIconFile;
    button.libraryNumber = LibraryIconNumber;
    draft.largeIcon = Image1.icon.get();
    return draft;
}

void EditorFields::LoadRow(const ButtonRow& row) {
    const Button& button = row.button;
    SetText(TextField::Text1, button.fileToLaunch);
    SetText(TextField::Text2, button.buttonText);
    SetText(TextField::Text4, button.menuText);
    SetText(TextField::Text3, button.statusBarText);
    SetText(TextField::Text5, button.parameters);
    SetScopeAllUsers(ForAllUsers(button.scope));

    // The "Use Program Icon" handler runs exactly once, without the notice: by the change of the
    // box, or directly when the box already has the value wanted.
    auto setUseProgramIcon = [this](int value) {
        IconNoticeFlag = L"no";
        if (Check(CheckField::Check1) == value)
            Check1_Click();
        else
            SetCheck(CheckField::Check1, value);
    };
    // An icon file or a program that gives no icon any more loads as library icon 1, as the next
    // start would list it: never with the picture of the button loaded before.
    const bool disk = button.iconKind == IconKind::Disk;
    const bool fileIcon = button.iconKind != IconKind::Library &&
                          LoadFileIcon(disk ? button.iconFile : button.fileToLaunch, picico) == 0 && !picico.empty();
    if (fileIcon && disk) {
        IconFromDisk = true;
        DiskIconFile = button.iconFile;
        Image1.libraryNumber = 0;
        Image1.icon = ProgramIconPicture(button.iconFile, 0, true);
        Changed();
        if (previewChanged) previewChanged();
        setUseProgramIcon(0);
    } else if (fileIcon) {
        if (previewChanged) previewChanged();
        setUseProgramIcon(1);
    } else {
        setUseProgramIcon(0);
        IconFromDisk = false;
        const bool library = button.iconKind == IconKind::Library && button.libraryNumber >= 1 &&
                             button.libraryNumber <= kLibraryIconCount;
        const int number = library ? static_cast<int>(button.libraryNumber) : 1;
        ShowLibraryIcon(number);
        LibraryIconNumber = number;
    }
    AfterUserAct();
}

void EditorFields::ResetAfterSave() {
    SetText(TextField::Text1, L"");
    SetText(TextField::Text2, L"");
    SetText(TextField::Text3, L"");
    SetText(TextField::Text4, L"");
    SetText(TextField::Text5, L"");
    SetCheck(CheckField::Check3, 0);
    SetScopeAllUsers(false);
    ShowLibraryIcon(1);
    IconNoticeFlag = L"no";
    if (Check(CheckField::Check1) == 0)
        Check1_Click();
    else
        SetCheck(CheckField::Check1, 0);
    IconFromDisk = false;
    LibraryIconNumber = 1;
}

void EditorFields::Command9_Click() {
    SetText(TextField::Text3, L"");
    SetText(TextField::Text4, L"");
    SetText(TextField::Text2, L"");
    SetText(TextField::Text1, L"");
    SetText(TextField::Text5, L"");
    SetCheck(CheckField::Check3, 0);
    // A reset shows no notice and no message.
    IconNoticeFlag = L"no";
    if (Check(CheckField::Check1) == 0)
        SetCheck(CheckField::Check1, 1);
    else
        Check1_Click();
    SetCheck(CheckField::Check2, 1);
    IconFromDisk = false;
    DiskIconFile.clear();
    // With no file to launch "Use Program Icon" goes unticked again, and shows the library icon.
    AfterUserAct();
}

void EditorFields::ForgetDiskIcon() {
    const bool shown = IconFromDisk && Check(CheckField::Check1) == 0;
    IconFromDisk = false;
    DiskIconFile.clear();
    LibraryIconNumber = 1;
    if (shown) ShowLibraryIcon(1);
}

// --- Displays -------------------------------------------------------------------------------

void EditorFields::ShowLibraryIcon(int number) {
    Image1.libraryNumber = number;
    Image1.icon = LoadLibraryIcon(programFolder_, number);
    Changed();
    if (previewChanged) previewChanged();
}

void EditorFields::ShowFileIcons(UniqueHicon small, UniqueHicon large) {
    picico.Set(std::move(small));
    Image1.libraryNumber = 0;
    Image1.icon = std::move(large);
    Changed();
    if (previewChanged) previewChanged();
}

void EditorFields::ShowNoPreview() {
    Image1.libraryNumber = 0;
    Image1.icon.reset();
    Changed();
    if (previewChanged) previewChanged();
}

}  // namespace velmora
