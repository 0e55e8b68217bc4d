// Adding, updating and deleting a button, and writing the list back: the list, the browser
// entries, the records and the button's files change together, or not at all.
#include "buttons/button_operations.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/stored_layout.h"
#include "buttons/path_parts.h"
#include "buttons/shortcut_file.h"
#include "common/file_paths.h"

#include <windows.h>

#include <optional>

namespace velmora {

namespace {

// Whether the record's icon file value was there before the update: the record's writes leave it
// alone, so it is there now exactly when it was.
bool RecordHadIconFile(const CRegSettings& records, const SettingsSnapshot& before, int slot) {
    return RecordValueWasThere(records, before, slot, &ButtonRecord::iconFile).value_or(false);
}

}  // namespace

struct ButtonOperations::PreparedFiles {
    std::wstring iconFile;                  // the button's own icon file; empty for a library icon
    std::wstring link;                      // the shortcut that carries the parameters, or empty
    std::vector<std::wstring> created;      // files that were not there before, to remove on failure
    std::vector<std::wstring> written;      // every file written, to note as Velmora's once the button is in
    std::vector<std::wstring> madeFolders;  // and the folders made for them, the outermost first
};

namespace {

void RemoveCreated(const std::vector<std::wstring>& files, const std::vector<std::wstring>& folders) {
    for (const std::wstring& file : files) ::DeleteFileW(file.c_str());
    // Innermost first; a folder that holds anything else stays.
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) ::RemoveDirectoryW(folder->c_str());
}

}  // namespace

bool ButtonOperations::FailPreparing(const std::wstring& what, const wchar_t* done, const PreparedFiles& files) {
    RemoveCreated(files.created, files.madeFolders);
    prompts_.Message(NotDoneText(what, done), kProblemTitle, MB_OK | MB_ICONSTOP);
    return false;
}

std::vector<std::wstring> ButtonOperations::FilesOfOtherRows(int ownRow) const {
    std::vector<std::wstring> files;
    for (int row = 0; row < static_cast<int>(list_.rows.size()); ++row) {
        if (row == ownRow) continue;
        const Button& button = list_.rows[row].button;
        if (!button.iconFile.empty()) files.push_back(button.iconFile);
        if (!button.link.empty()) files.push_back(button.link);
    }
    return files;
}

bool ButtonOperations::PrepareFiles(const ButtonDraft& draft, const ButtonRow* updatedRow, const wchar_t* done,
                                    PreparedFiles& files) {
    const Button& button = draft.button;
    const Button* updated = updatedRow ? &updatedRow->button : nullptr;
    // New files never take a name a button uses, the updated one's included: its files stay as
    // they are until the new ones are in the registry, so that a failure leaves it unchanged.
    std::vector<std::wstring> others = FilesOfOtherRows(-1);
    // A new file goes to the place of the button's scope, its folders made when missing; a kept
    // one stays where it is.
    const std::wstring icons = IconsFolderOf(places_.FolderFor(button.scope));
    auto fail = [&](const std::wstring& what) { return FailPreparing(what, done, files); };
    auto keeps = [&](const std::wstring& file) { return places_.KeepsFileThere(file, button.scope); };
    auto noIconsFolder = [&] {
        return !MakeFolderChain(icons, files.madeFolders, places_) && fail(IconFolderNotMadeText(icons));
    };
    auto made = [&](const std::wstring& file, bool existed) {
        if (!existed) files.created.push_back(file);
    };

    if (button.iconKind == IconKind::Program) {
        // An updated button that keeps its program keeps its icon file as it is; one that has gone
        // is made again under the same name.
        const bool kept = updated && updated->iconKind == IconKind::Program &&
                          SamePathText(updated->fileToLaunch, button.fileToLaunch) && keeps(updated->iconFile);
        files.iconFile =
            kept ? updated->iconFile
                 : ChooseButtonFilePath(icons, PathPart(button.fileToLaunch, PathSelector::BaseName), L".ico", others);
        const bool existed = FileExists(files.iconFile);
        if (!(kept && existed) && noIconsFolder()) return false;
        if (!(kept && existed) && !SaveIconFile(draft.largeIcon, files.iconFile)) {
            return fail(IconFileNotWrittenText(files.iconFile));
        }
        if (!(kept && existed)) files.written.push_back(files.iconFile);
        made(files.iconFile, existed);
    } else if (button.iconKind == IconKind::Disk) {
        const std::wstring source = TextBeforeNul(button.iconFile);
        // An updated button whose disk icon is its own copy keeps it.
        if (updated && updated->iconKind == IconKind::Disk && IsSameFile(source, updated->iconFile) &&
            keeps(updated->iconFile)) {
            files.iconFile = updated->iconFile;
            return PrepareShortcut(draft, updatedRow, others, done, files);
        }
        if (noIconsFolder()) return false;
        files.iconFile = ChooseButtonFilePath(icons, PathPart(source, PathSelector::BaseName), L".ico", others);
        const bool existed = FileExists(files.iconFile);
        if (!CopyDiskIconFile(source, files.iconFile)) {
            return fail(IconFileNotCopiedText(source, files.iconFile));
        }
        if (!IsSameFile(source, files.iconFile)) {
            made(files.iconFile, existed);
            files.written.push_back(files.iconFile);
        }
    }
    return PrepareShortcut(draft, updatedRow, others, done, files);
}

bool ButtonOperations::PrepareShortcut(const ButtonDraft& draft, const ButtonRow* updatedRow,
                                       const std::vector<std::wstring>& others, const wchar_t* done,
                                       PreparedFiles& files) {
    const Button& button = draft.button;
    const Button* updated = updatedRow ? &updatedRow->button : nullptr;
    auto fail = [&](const std::wstring& what) { return FailPreparing(what, done, files); };
    if (!button.parameters.empty()) {
        const std::wstring shortcuts = ShortcutsFolderOf(places_.FolderFor(button.scope));
        // An updated button that keeps its program and parameters keeps its shortcut as it is.
        const bool kept =
            updated && !updated->link.empty() && SamePathText(updated->fileToLaunch, button.fileToLaunch) &&
            updated->parameters == button.parameters && places_.KeepsFileThere(updated->link, button.scope);
        files.link = kept ? updated->link
                          : ChooseButtonFilePath(shortcuts, PathPart(button.fileToLaunch, PathSelector::BaseName),
                                                 L".lnk", others);
        const bool existed = FileExists(files.link);
        if (kept && existed) return true;
        if (!MakeFolderChain(shortcuts, files.madeFolders, places_)) {
            return fail(ShortcutFolderNotMadeText(shortcuts));
        }
        if (!CreateShortcutFile(files.link, button.fileToLaunch, L"", button.parameters, button.fileToLaunch, 1, 5)) {
            return fail(ShortcutNotWrittenText(files.link));
        }
        if (!existed) files.created.push_back(files.link);
        files.written.push_back(files.link);
    }
    return true;
}

ButtonRow ButtonOperations::RowForDraft(const ButtonDraft& draft, const PreparedFiles& files) {
    ButtonRow row{draft.button};
    row.button.link = files.link;
    row.button.iconFile = row.button.iconKind == IconKind::Library ? std::wstring() : files.iconFile;
    return row;
}

void ButtonOperations::Undo(const SettingsSnapshot& before, const PreparedFiles& files, const std::wstring& failure) {
    const bool restored = static_cast<bool>(stores_.records.Restore(before));
    RemoveCreated(files.created, files.madeFolders);
    prompts_.Message(failure + (restored ? kNothingChangedText : kNotPutBackText), kProblemTitle, MB_OK | MB_ICONSTOP);
}

std::wstring ButtonOperations::WriteFailure(const wchar_t* what, const RegistryResult& cause) {
    // The advice only where it helps: a refusal for want of rights under the machine's root.
    return NotWrittenText(what) + (cause.MachineAccessDenied() ? kAdministratorAdvice : L"");
}

void ButtonOperations::NoteMadeFiles(const PreparedFiles& files) {
    // Best effort: a file left off the list is only never swept away as unused.
    for (const std::wstring& file : files.written) static_cast<void>(NoteMadeFile(stores_.records, file));
}

void ButtonOperations::DeleteUnusedFiles(const ButtonRow& former) {
    const std::vector<std::wstring> inUse = FilesOfOtherRows(-1);
    for (const std::wstring& file : {former.button.iconFile, former.button.link}) {
        if (file.empty()) continue;
        // Only the program's own files, in any of its places; never a library icon.
        const bool own = IsOwnButtonFile(places_, file);
        bool used = false;
        for (const std::wstring& other : inUse) used = used || SamePathText(other, file) || IsSameFile(other, file);
        if (own && !used && FileExists(file) && ::DeleteFileW(file.c_str())) {
            // Best effort: a name left on the list names a file that is gone, and a sweep skips it.
            static_cast<void>(ForgetMadeFile(stores_.records, file));
        }
    }
}

bool ButtonOperations::Locked(const ButtonsLock& lock, const wchar_t* busyText) {
    if (!lock.owned()) prompts_.Message(busyText, kProblemTitle, MB_OK | MB_ICONSTOP);
    return lock.owned();
}

ButtonOutcome ButtonOperations::AddButton(const ButtonDraft& draft) {
    const ButtonsLock lock(kEditorLockWait);
    if (!Locked(lock, kButtonsBusyText)) return {};
    const int slot = static_cast<int>(list_.rows.size());
    if (!IsValidSlot(slot)) return {};
    PreparedFiles files;
    if (!PrepareFiles(draft, nullptr, L"added", files)) return {};

    const ButtonScope scope = draft.button.scope;
    SettingsSnapshot before;
    stores_.browser.Remember(before, ToolbarEntrySection(slot), ForAllUsers(scope));
    stores_.records.Remember(before, kAddedButtons);
    stores_.records.Remember(before, ButtonRecordSection(slot));

    const ButtonRow row = RowForDraft(draft, files);
    // The count becomes the number of buttons listed, whatever it said before: a count that read as
    // none or as negative (left in place by the start-up) plus one would not count this button.
    RegistryResult written =
        WriteToolbarEntry(stores_.browser, slot, scope, EntryFor(row.button, places_.programFolder));
    if (written) written = WriteButtonCount(stores_.records, slot + 1);
    if (written) {
        written = WriteButtonRecord(stores_.records, slot, RecordFor(row.button, places_.programFolder),
                                    RecordValueOrder::Add);
    }
    if (!written) {
        Undo(before, files, WriteFailure(L"added", written));
        return {};
    }
    list_.rows.push_back(row);
    NoteMadeFiles(files);
    return {true, draft.button.iconKind == IconKind::Disk ? files.iconFile : std::wstring()};
}

ButtonOutcome ButtonOperations::UpdateButton(int rowIndex, const ButtonDraft& draft) {
    const ButtonsLock lock(kEditorLockWait);
    if (!Locked(lock, kButtonsBusyText)) return {};
    if (rowIndex < 0 || rowIndex >= static_cast<int>(list_.rows.size()) || !IsValidSlot(rowIndex)) return {};
    const ButtonRow former = list_.rows[rowIndex];
    PreparedFiles files;
    if (!PrepareFiles(draft, &former, L"changed", files)) return {};

    const int slot = rowIndex;
    const std::wstring entrySection = ToolbarEntrySection(slot);
    // Only the keys the update writes or deletes: the entry under the button's new root, under its
    // former root when the scope changes, and the record.
    const ButtonScope formerScope = former.button.scope;
    const ButtonScope scope = draft.button.scope;
    SettingsSnapshot before;
    stores_.browser.Remember(before, entrySection, ForAllUsers(scope));
    if (formerScope != scope) stores_.browser.Remember(before, entrySection, ForAllUsers(formerScope));
    stores_.records.Remember(before, ButtonRecordSection(slot));

    const ButtonRow row = RowForDraft(draft, files);
    const ButtonRecord record = RecordFor(row.button, places_.programFolder);
    // A button whose scope changed leaves no entry behind under the other root, and its record
    // keeps no icon file value that its new icon does not use.
    RegistryResult written;
    if (formerScope != scope) written = RemoveToolbarEntry(stores_.browser, slot, formerScope);
    if (written) written = WriteToolbarEntry(stores_.browser, slot, scope, EntryFor(row.button, places_.programFolder));
    if (written) written = WriteButtonRecord(stores_.records, slot, record, RecordValueOrder::Add);
    if (written && record.iconFile.empty() && RecordHadIconFile(stores_.records, before, slot)) {
        written = RemoveRecordValue(stores_.records, slot, &ButtonRecord::iconFile);
    }
    if (!written) {
        Undo(before, files, WriteFailure(L"changed", written));
        return {};
    }
    list_.rows[rowIndex] = row;
    NoteMadeFiles(files);
    DeleteUnusedFiles(former);
    return {true, draft.button.iconKind == IconKind::Disk ? files.iconFile : std::wstring()};
}

bool ButtonOperations::DeleteButton(int rowIndex) {
    const ButtonsLock lock(kEditorLockWait);
    if (!Locked(lock, kButtonsBusyText)) return false;
    const int rows = static_cast<int>(list_.rows.size());
    if (rowIndex < 0 || rowIndex >= rows) return false;
    auto scopeOf = [this](int row) { return list_.rows[row].button.scope; };

    // The rows before the deleted one keep their slots. From its slot on, every slot is rewritten:
    // remembered under the root of the row that has it now and of the row that moves into it.
    SettingsSnapshot before;
    stores_.records.Remember(before, kAddedButtons);
    for (int slot = rowIndex; slot < rows && IsValidSlot(slot); ++slot) {
        stores_.records.Remember(before, ButtonRecordSection(slot));
        stores_.browser.Remember(before, ToolbarEntrySection(slot), ForAllUsers(scopeOf(slot)));
        if (slot + 1 < rows && scopeOf(slot + 1) != scopeOf(slot)) {
            stores_.browser.Remember(before, ToolbarEntrySection(slot), ForAllUsers(scopeOf(slot + 1)));
        }
    }

    // The count goes down first, to the number of buttons left; then the slots from the deleted
    // one on are emptied and the buttons after it written one slot down.
    int blamed = rowIndex;  // the button (counted before the delete) whose entry was refused
    RegistryResult written = WriteButtonCount(stores_.records, rows - 1);
    for (int slot = rowIndex; written && slot < rows; ++slot) {
        blamed = slot;
        written = RemoveButtonRecord(stores_.records, slot);
        if (written) written = RemoveToolbarEntry(stores_.browser, slot, scopeOf(slot));
    }
    const ButtonRow removed = list_.rows[rowIndex];
    if (written) {
        list_.rows.erase(list_.rows.begin() + rowIndex);
        const RewriteResult rewritten = RewriteRows(rowIndex, false);
        written = rewritten.firstFailure;
        if (!written) {
            blamed = rewritten.firstRefusedSlot + 1;
            list_.rows.insert(list_.rows.begin() + rowIndex, removed);
        }
    }
    if (!written) {
        Undo(before, {}, DeleteFailure(rowIndex, blamed, written));
        return false;
    }
    DeleteUnusedFiles(removed);
    return true;
}

RewriteResult ButtonOperations::RewriteRows(int first, bool withCount) {
    // Every button is written even when one write is refused (an "All Users" entry for a user
    // without administrator rights): the others still reach the registry.
    std::vector<SlotContents> slots;
    for (int row = first; row < static_cast<int>(list_.rows.size()); ++row) {
        slots.push_back(SlotFor(list_.rows[row].button, places_.programFolder));
    }
    return WriteSlots(stores_, first, slots, withCount);
}

std::wstring ButtonOperations::DeleteFailure(int deleted, int blamed, const RegistryResult& cause) const {
    if (!cause.MachineAccessDenied() || blamed < 0 || blamed >= static_cast<int>(list_.rows.size())) {
        return kNotRemovedText;
    }
    const Button& button = list_.rows[blamed].button;
    const std::wstring& name = button.buttonText.empty() ? button.fileToLaunch : button.buttonText;
    return blamed == deleted ? AllUsersNotDeletedText(name) : AllUsersCannotMoveText(name);
}

}  // namespace velmora
