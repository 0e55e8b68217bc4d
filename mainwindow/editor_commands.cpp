#include "mainwindow/editor_commands.h"

#include "buttons/button_slots.h"
#include "buttons/toolbar_entry.h"
#include "settings/preferences.h"

#include <shlwapi.h>

namespace velmora {

namespace {

// An ordinary file: not a folder, not hidden, not a system file.
bool OrdinaryFileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace

bool EditorCommands::Fail(const wchar_t* text, const wchar_t* title, UINT style, TextField field, bool selectAll) {
    prompts_.Message(text, title, style);
    if (focus) focus({field, selectAll});
    return false;
}

std::wstring EditorCommands::ValidateNewButton(bool checkFullList) {
    const UINT critical = MB_OK | MB_ICONSTOP;
    if (checkFullList && list_.rows.size() >= static_cast<size_t>(kSlotCount)) {
        prompts_.Message(kListFullText, kListFullTitle, MB_OK | MB_ICONEXCLAMATION);
        return L"nope";
    }
    const std::wstring& file = fields_.Text(TextField::Text1);
    if (file.empty()) {
        Fail(kNoFileText, kProblemTitle, critical, TextField::Text1, true);
        return L"nope";
    }
    // The program icon saved is the icon of the file in the field, taken again if the file came
    // since it was typed; a file without one is said now, and the box goes unticked.
    if (fields_.Check(CheckField::Check1) == 1) {
        fields_.RefreshProgramIcon();
        if (!fields_.ProgramIconTaken()) {
            prompts_.Message(kNoIconFoundText, kNoIconFoundTitle, critical);
            fields_.SetCheck(CheckField::Check1, 0);
            if (focus) focus({TextField::Text1, true});
            return L"nope";
        }
    }
    // Parameters reach a program through a shortcut file, which cannot point at a web address.
    if (!fields_.Text(TextField::Text5).empty() && ::PathIsURLW(file.c_str())) {
        Fail(kParametersForAddressText, kProblemTitle, critical, TextField::Text5, true);
        return L"nope";
    }
    if (fields_.Check(CheckField::Check1) != 1 &&
        (!OrdinaryFileExists(LibraryIconFile(programFolder_, fields_.LibraryIconNumber)) ||
         !OrdinaryFileExists(LibraryHotIconFile(programFolder_, fields_.LibraryIconNumber)))) {
        prompts_.Message(kLibraryIconMissingText, kProblemTitle, critical);
        return L"nope";
    }
    if (fields_.Text(TextField::Text2).empty()) {
        Fail(kNoButtonTextText, kProblemTitle, critical, TextField::Text2);
        return L"nope";
    }
    if (fields_.Text(TextField::Text4).empty()) {
        Fail(kNoMenuTextText, kProblemTitle, critical, TextField::Text4);
        return L"nope";
    }
    if (fields_.Text(TextField::Text3).empty()) {
        const int answer = prompts_.Message(kNoStatusBarTextText, kWarningTitle, MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer != IDOK) {
            if (focus) focus({TextField::Text3, false});
            return L"nope";
        }
    }
    return L"ok";
}

bool EditorCommands::Command2_Click() {
    if (ValidateNewButton(true) != L"ok") return false;
    const ButtonOutcome outcome = operations_.AddButton(fields_.Draft());
    if (!outcome.done) return false;
    if (listChanged) listChanged(static_cast<int>(list_.rows.size()) - 1);
    if (!outcome.diskIconCopy.empty()) fields_.DiskIconFile = outcome.diskIconCopy;
    fields_.ResetAfterSave();
    if (NoticeWanted(preferences_, Notice::AddButton)) prompts_.ShowNotice(Notice::AddButton);
    return true;
}

bool EditorCommands::Command4_Click(int row) {
    if (!ValidRow(row)) return false;
    if (prompts_.Message(kConfirmUpdateText, kConfirmUpdateTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    if (ValidateNewButton(false) != L"ok") return false;
    const ButtonOutcome outcome = operations_.UpdateButton(row, fields_.Draft());
    if (!outcome.done) return false;
    if (listChanged) listChanged(row);
    if (!outcome.diskIconCopy.empty()) fields_.DiskIconFile = outcome.diskIconCopy;
    fields_.ResetAfterSave();
    if (NoticeWanted(preferences_, Notice::Change)) prompts_.ShowNotice(Notice::Change);
    return true;
}

bool EditorCommands::Command8_Click(int row) {
    if (!ValidRow(row)) return false;
    if (prompts_.Message(kConfirmDeleteText, kConfirmDeleteTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    // A disk icon chosen from the deleted button's own file goes with it.
    const std::wstring& iconFile = list_.rows[row].button.iconFile;
    const bool diskIconGoes = fields_.IconFromDisk && !iconFile.empty() && IsSameFile(fields_.DiskIconFile, iconFile);
    if (!operations_.DeleteButton(row)) return false;
    if (diskIconGoes) fields_.ForgetDiskIcon();
    if (listChanged) listChanged(row);
    if (NoticeWanted(preferences_, Notice::Change)) prompts_.ShowNotice(Notice::Change);
    return true;
}

void EditorCommands::Command7_Click(int row) {
    if (ValidRow(row)) fields_.LoadRow(list_.rows[row]);
}

}  // namespace velmora
