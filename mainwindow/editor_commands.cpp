#include "mainwindow/editor_commands.h"

#include "buttons/stored_layout.h"
#include "settings/preferences.h"

namespace velmora {

std::wstring EditorCommands::ValidateNewButton(bool checkFullList) {
    if (checkFullList && list_.rows.size() >= static_cast<size_t>(kSlotCount)) {
        prompts_.Message(kListFullText, kListFullTitle, MB_OK | MB_ICONEXCLAMATION);
        return L"nope";
    }
    // The program icon saved is the icon of the file in the field, taken again if the file came
    // since it was typed.
    const bool programIcon = fields_.Check(CheckField::Check1) == 1;
    if (programIcon && !fields_.Text(TextField::Text1).empty()) fields_.RefreshProgramIcon();
    const DraftCheck check =
        CheckButtonDraft(fields_.Draft(), programIcon && fields_.ProgramIconTaken(), programFolder_, prompts_);
    if (check.ok()) return L"ok";
    // A file without a program icon unticks the box.
    if (check.refusal == DraftRefusal::NoProgramIcon) fields_.SetCheck(CheckField::Check1, 0);
    static constexpr TextField kFields[] = {TextField::Text1, TextField::Text2, TextField::Text3, TextField::Text4,
                                            TextField::Text5};
    if (check.focus && focus) focus({kFields[static_cast<int>(*check.focus)], check.selectAll});
    return L"nope";
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
