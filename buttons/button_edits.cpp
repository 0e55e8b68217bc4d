// Adding, updating and deleting a button: the list, the browser entries, the records and the
// button's files change together, or not at all.
#include "buttons/button_file_names.h"
#include "buttons/button_operations.h"
#include "buttons/button_slots.h"
#include "buttons/paths.h"
#include "buttons/shortcut_file.h"
#include "common/file_paths.h"

#include <windows.h>

#include <optional>

namespace velmora {

namespace {

constexpr const wchar_t* kAdministratorAdvice =
    L" Buttons for \"All Users\" can only be added, changed or deleted by an administrator: choose \"Current "
    L"User\", or close Velmora and run it again as an administrator (right-click it and choose \"Run as "
    L"administrator\").";

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

}  // namespace

struct ButtonOperations::PreparedFiles {
    std::wstring iconFile;              // the button's own icon file; empty for a library icon
    std::wstring link;                  // the shortcut that carries the parameters, or empty
    std::vector<std::wstring> created;  // files that were not there before, to remove on failure
};

std::vector<std::wstring> ButtonOperations::FilesOfOtherRows(int ownRow) const {
    std::vector<std::wstring> files;
    for (int row = 0; row < static_cast<int>(list_.rows.size()); ++row) {
        if (row == ownRow) continue;
        if (!list_.rows[row].tag.empty()) files.push_back(list_.rows[row].tag);
        if (!list_.rows[row].link.empty()) files.push_back(list_.rows[row].link);
    }
    return files;
}

bool ButtonOperations::PrepareFiles(const ButtonDraft& draft, const ButtonRow* updated, const wchar_t* done,
                                    PreparedFiles& files) {
    // New files never take a name a button uses, the updated one's included: its files stay as
    // they are until the new ones are in the registry, so that a failure leaves it unchanged.
    std::vector<std::wstring> others = FilesOfOtherRows(-1);
    const std::wstring icons = programFolder_ + L"icons\\";
    auto fail = [&](const std::wstring& what) {
        for (const std::wstring& file : files.created) ::DeleteFileW(file.c_str());
        prompts_.Message(what + L" The button was not " + done + L".", kProblemTitle, MB_OK | MB_ICONSTOP);
        return false;
    };
    auto made = [&](const std::wstring& file, bool existed) {
        if (!existed) files.created.push_back(file);
    };

    if (draft.iconSource == IconSource::Program) {
        // An updated button that keeps its program keeps its icon file as it is; one that has gone
        // is made again under the same name.
        const bool kept = updated && updated->iconKind.empty() && !updated->tag.empty() &&
                          SamePathText(updated->text, draft.fileToLaunch);
        files.iconFile = kept ? updated->tag
                              : ChooseButtonFilePath(icons, PathPart(draft.fileToLaunch, PathSelector::BaseName),
                                                     L".ico", others);
        const bool existed = FileExists(files.iconFile);
        if (!(kept && existed) && !SaveIconFile(draft.largeIcon, files.iconFile)) {
            return fail(L"The icon file \"" + files.iconFile + L"\" could not be written.");
        }
        made(files.iconFile, existed);
    } else if (draft.iconSource == IconSource::Disk) {
        const std::wstring source = TextBeforeNul(draft.diskIconFile);
        // An updated button whose disk icon is its own copy keeps it.
        if (updated && updated->iconKind == L"disk" && !updated->tag.empty() && IsSameFile(source, updated->tag)) {
            files.iconFile = updated->tag;
            return PrepareShortcut(draft, updated, others, done, files);
        }
        files.iconFile = ChooseButtonFilePath(icons, PathPart(source, PathSelector::BaseName), L".ico", others);
        const bool existed = FileExists(files.iconFile);
        if (!CopyDiskIconFile(source, files.iconFile)) {
            return fail(L"The icon file \"" + source + L"\" could not be copied to \"" + files.iconFile + L"\".");
        }
        if (!IsSameFile(source, files.iconFile)) made(files.iconFile, existed);
    }
    return PrepareShortcut(draft, updated, others, done, files);
}

bool ButtonOperations::PrepareShortcut(const ButtonDraft& draft, const ButtonRow* updated,
                                       const std::vector<std::wstring>& others, const wchar_t* done,
                                       PreparedFiles& files) {
    auto fail = [&](const std::wstring& what) {
        for (const std::wstring& file : files.created) ::DeleteFileW(file.c_str());
        prompts_.Message(what + L" The button was not " + done + L".", kProblemTitle, MB_OK | MB_ICONSTOP);
        return false;
    };
    if (!draft.parameters.empty()) {
        const std::wstring shortcuts = programFolder_ + L"shortcuts\\";
        if (!FolderExists(shortcuts) && !::CreateDirectoryW(shortcuts.c_str(), nullptr)) {
            return fail(L"The folder \"" + shortcuts + L"\" for the button's shortcut could not be created.");
        }
        // An updated button that keeps its program and parameters keeps its shortcut as it is.
        const bool kept = updated && !updated->link.empty() && SamePathText(updated->text, draft.fileToLaunch) &&
                          updated->parameters == draft.parameters;
        files.link = kept ? updated->link
                          : ChooseButtonFilePath(shortcuts, PathPart(draft.fileToLaunch, PathSelector::BaseName),
                                                 L".lnk", others);
        const bool existed = FileExists(files.link);
        if (kept && existed) return true;
        if (!CreateShortcutFile(files.link, draft.fileToLaunch, L"", draft.parameters, draft.fileToLaunch, 1, 5)) {
            return fail(L"The shortcut \"" + files.link + L"\" that passes the command line parameters could not be "
                        L"written.");
        }
        if (!existed) files.created.push_back(files.link);
    }
    return true;
}

ButtonRow ButtonOperations::RowForDraft(const ButtonDraft& draft, const PreparedFiles& files) {
    ButtonRow row;
    row.text = draft.fileToLaunch;
    row.buttonText = draft.buttonText;
    row.menuText = draft.menuText;
    row.menuStatusBar = draft.menuStatusBar;
    row.scope = draft.scopeAllUsers ? kScopeAllUsers : kScopeCurrentUser;
    row.parameters = draft.parameters;
    row.link = files.link;
    if (draft.iconSource == IconSource::Library) {
        row.smallIcon = draft.libraryNumber;
    } else {
        row.smallIcon = list_.PlaceImage(draft.smallIcon);
        row.tag = files.iconFile;
        if (draft.iconSource == IconSource::Disk) row.iconKind = L"disk";
    }
    return row;
}

void ButtonOperations::Undo(const SettingsSnapshot& before, const PreparedFiles& files, int imagesBefore,
                            const std::wstring& failure) {
    // An image placed where no row shows one may stay; one appended goes.
    list_.images.TrimTo(imagesBefore);
    const bool restored = settings_.Restore(before);
    for (const std::wstring& file : files.created) ::DeleteFileW(file.c_str());
    prompts_.Message(failure + (restored ? L" Nothing was changed."
                                         : L" Some of the registry settings could not be put back as they were."),
                     kProblemTitle, MB_OK | MB_ICONSTOP);
}

std::wstring ButtonOperations::WriteFailure(const wchar_t* what) const {
    // The advice only where it helps: a refusal for want of rights under the machine's root.
    return std::wstring(L"The button could not be ") + what + L": its settings could not be written to the registry." +
           (settings_.Failure().MachineAccessDenied() ? kAdministratorAdvice : L"");
}

void ButtonOperations::DeleteUnusedFiles(const ButtonRow& former) {
    const std::vector<std::wstring> inUse = FilesOfOtherRows(-1);
    for (const std::wstring& file : {former.tag, former.link}) {
        if (file.empty()) continue;
        // Only the program's own files: in its icons or shortcuts folder, never a library icon,
        // judged by the file the stored path opens. The names it gives its files hold no ':', and a
        // stream name such as "5.ico::$DATA" would open the library file itself.
        const std::wstring opened = FullPath(file);
        const std::wstring folder = FolderOf(opened);
        const bool own = NameOf(opened).find(L':') == std::wstring::npos &&
                         ((SamePathText(folder, FullPath(programFolder_ + L"icons\\")) &&
                           !IsLibraryIconName(NameOf(opened))) ||
                          SamePathText(folder, FullPath(programFolder_ + L"shortcuts\\")));
        bool used = false;
        for (const std::wstring& other : inUse) used = used || SamePathText(other, file) || IsSameFile(other, file);
        if (own && !used && FileExists(file)) ::DeleteFileW(file.c_str());
    }
}

ButtonOutcome ButtonOperations::AddButton(const ButtonDraft& draft) {
    const int slot = static_cast<int>(list_.rows.size());
    if (!IsValidSlot(slot)) return {};
    PreparedFiles files;
    if (!PrepareFiles(draft, nullptr, L"added", files)) return {};

    SettingsSnapshot before;
    UseBrowserSettings(settings_);
    settings_.Remember(before, ToolbarEntrySection(slot), draft.scopeAllUsers);
    UseProgramSettings(settings_);
    settings_.Remember(before, kAddedButtons);
    settings_.Remember(before, ButtonRecordSection(slot));

    settings_.ClearFailure();
    const int imagesBefore = list_.images.Count();
    const ButtonRow row = RowForDraft(draft, files);
    // "Count" becomes the number of buttons listed, whatever it said before: a count that read as
    // none or as negative (left in place by the start-up) plus one would not count this button.
    const bool written =
        WriteToolbarEntry(settings_, slot, draft.scopeAllUsers, EntryForRow(row, programFolder_)) &&
        WriteButtonCount(settings_, slot + 1) &&
        WriteButtonRecord(settings_, slot, RecordForRow(row, programFolder_), RecordValueOrder::Add);
    if (!written) {
        Undo(before, files, imagesBefore, WriteFailure(L"added"));
        return {};
    }
    list_.rows.push_back(row);
    return {true, draft.iconSource == IconSource::Disk ? files.iconFile : std::wstring()};
}

ButtonOutcome ButtonOperations::UpdateButton(int rowIndex, const ButtonDraft& draft) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(list_.rows.size()) || !IsValidSlot(rowIndex)) return {};
    const ButtonRow former = list_.rows[rowIndex];
    PreparedFiles files;
    if (!PrepareFiles(draft, &former, L"changed", files)) return {};

    const int slot = rowIndex;
    const std::wstring entrySection = ToolbarEntrySection(slot);
    const std::wstring recordSection = ButtonRecordSection(slot);
    // Only the keys the update writes or deletes: the entry under the button's new root, under its
    // former root when the scope changes, and the record.
    const bool wasAllUsers = former.scope == kScopeAllUsers;
    SettingsSnapshot before;
    UseBrowserSettings(settings_);
    settings_.Remember(before, entrySection, draft.scopeAllUsers);
    if (wasAllUsers != draft.scopeAllUsers) settings_.Remember(before, entrySection, wasAllUsers);
    UseProgramSettings(settings_);
    settings_.Remember(before, recordSection);

    // The former row still shows its image: the new one never takes its place, so that a
    // failure leaves the row as it was.
    settings_.ClearFailure();
    const int imagesBefore = list_.images.Count();
    const ButtonRow row = RowForDraft(draft, files);
    const ButtonRecord record = RecordForRow(row, programFolder_);
    // A button whose scope changed leaves no entry behind under the other root, and its record
    // keeps no "Icon File" that its new icon does not use.
    bool written = wasAllUsers == draft.scopeAllUsers || RemoveToolbarEntry(settings_, slot, wasAllUsers);
    written = written && WriteToolbarEntry(settings_, slot, draft.scopeAllUsers, EntryForRow(row, programFolder_)) &&
              WriteButtonRecord(settings_, slot, record, RecordValueOrder::Add);
    if (written && record.iconFile.empty()) {
        UseProgramSettings(settings_);
        // The record's writes leave "Icon File" alone here: it is there now when it was before.
        const std::wstring absent = L"\n";  // no stored value holds a lone line break
        const std::optional<std::wstring> remembered =
            settings_.RememberedSetting(before, recordSection, L"Icon File", absent);
        const std::wstring iconFile =
            remembered ? *remembered : settings_.GetSetting(recordSection, L"Icon File", absent);
        if (iconFile != absent) written = settings_.DeleteSetting(recordSection, L"Icon File", false);
    }
    if (!written) {
        Undo(before, files, imagesBefore, WriteFailure(L"changed"));
        return {};
    }
    list_.rows[rowIndex] = row;
    DeleteUnusedFiles(former);
    return {true, draft.iconSource == IconSource::Disk ? files.iconFile : std::wstring()};
}

bool ButtonOperations::DeleteButton(int rowIndex) {
    const int rows = static_cast<int>(list_.rows.size());
    if (rowIndex < 0 || rowIndex >= rows) return false;
    auto allUsers = [this](int row) { return list_.rows[row].scope == kScopeAllUsers; };

    // The rows before the deleted one keep their slots. From its slot on, every slot is rewritten:
    // remembered under the root of the row that has it now and of the row that moves into it.
    SettingsSnapshot before;
    UseProgramSettings(settings_);
    settings_.Remember(before, kAddedButtons);
    for (int slot = rowIndex; slot < rows && IsValidSlot(slot); ++slot) {
        UseProgramSettings(settings_);
        settings_.Remember(before, ButtonRecordSection(slot));
        UseBrowserSettings(settings_);
        settings_.Remember(before, ToolbarEntrySection(slot), allUsers(slot));
        if (slot + 1 < rows && allUsers(slot + 1) != allUsers(slot)) {
            settings_.Remember(before, ToolbarEntrySection(slot), !allUsers(slot));
        }
    }

    // The count goes down first, to the number of buttons left; then the slots from the deleted
    // one on are emptied and the buttons after it written one slot down.
    settings_.ClearFailure();
    int blamed = rowIndex;  // the button (counted before the delete) whose entry was refused
    bool written = WriteButtonCount(settings_, rows - 1);
    for (int slot = rowIndex; written && slot < rows; ++slot) {
        blamed = slot;
        written = RemoveButtonRecord(settings_, slot) && RemoveToolbarEntry(settings_, slot, allUsers(slot));
    }
    const ButtonRow removed = list_.rows[rowIndex];
    if (written) {
        list_.rows.erase(list_.rows.begin() + rowIndex);
        const RewriteResult rewritten = RewriteRows(rowIndex, false);
        written = static_cast<bool>(rewritten);
        if (!written) {
            blamed = rewritten.firstRefusedSlot + 1;
            list_.rows.insert(list_.rows.begin() + rowIndex, removed);
        }
    }
    if (!written) {
        Undo(before, {}, list_.images.Count(), DeleteFailure(rowIndex, blamed));
        return false;
    }
    DeleteUnusedFiles(removed);
    return true;
}

std::wstring ButtonOperations::DeleteFailure(int deleted, int blamed) const {
    if (!settings_.Failure().MachineAccessDenied() || blamed < 0 || blamed >= static_cast<int>(list_.rows.size())) {
        return L"The button could not be deleted: its settings could not be removed from the registry.";
    }
    const ButtonRow& row = list_.rows[blamed];
    const std::wstring name = L"\"" + (row.buttonText.empty() ? row.text : row.buttonText) + L"\"";
    const std::wstring advice = L" Close Velmora and run it again as an administrator (right-click it and choose "
                                L"\"Run as administrator\").";
    if (blamed == deleted) {
        return L"The button " + name + L" could not be deleted: it is for \"All Users\", and only an administrator "
               L"can delete it." + advice;
    }
    return L"The button could not be deleted: the button " + name + L" after it is for \"All Users\" and has to "
           L"move up one place, which only an administrator can do." + advice;
}

}  // namespace velmora
