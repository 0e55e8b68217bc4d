// The start-up load of the list of added buttons.
#include "buttons/button_file_names.h"
#include "buttons/button_operations.h"
#include "buttons/button_records.h"
#include "buttons/button_slots.h"
#include "buttons/paths.h"
#include "buttons/toolbar_entry.h"

namespace velmora {

std::wstring ProgramIconFile(const std::wstring& programFolder, const std::wstring& program) {
    return ButtonFilePath(programFolder + L"icons\\", SafeFileBaseName(PathPart(program, PathSelector::BaseName)), L"",
                          L".ico");
}

ButtonOperations::StoredList ButtonOperations::ReadStoredList() {
    list_.rows.clear();
    list_.images.LoadLibraryIcons(programFolder_);

    // Records left by the earlier version are loaded from there, once, and then moved here.
    StoredList stored;
    settings_.SetAppName(kEarlierAppName);
    settings_.SetCompany(kCompany);
    stored.earlierVersionFound = settings_.GetSetting(kAddedButtons, L"Count", L"ni") != L"ni";
    if (!stored.earlierVersionFound) settings_.SetAppName(kAppName);
    settings_.SetCompany(kCompany);

    stored.count = ReadButtonCount(settings_);
    if (stored.count > kSlotCount) return stored;
    // Reads stay on the application name chosen above; nothing here writes. A record whose key is
    // not there is no button: listed, it would give the browser a button that launches nothing.
    // The buttons after it move up a slot.
    if (stored.earlierVersionFound) settings_.SetAppName(kEarlierAppName);
    for (int slot = 0; slot < stored.count; ++slot) {
        if (!LoadRecord(slot) && stored.firstMissing < 0) stored.firstMissing = slot;
    }
    return stored;
}

bool ButtonOperations::LoadWithoutWriting() {
    const StoredList stored = ReadStoredList();
    UseProgramSettings(settings_);
    return stored.count <= kSlotCount;
}

void ButtonOperations::LoadAtStartup() {
    StoredList stored = ReadStoredList();
    if (stored.count > kSlotCount) {
        prompts_.Message(kDamagedStoreText, kDamagedStoreTitle, MB_OK | MB_ICONSTOP);
        EraseDamagedStore();
        stored.count = 0;
    }

    // An empty or negative count goes on like any other: the rewrite writes nothing for an empty
    // list, and the earlier version's key is still cleared away.
    const RewriteResult rewritten = RewriteAllButtons();
    if (stored.firstMissing >= 0) ClearVacatedSlots(stored.firstMissing, static_cast<int>(stored.count));

    // The earlier version's records go only when all of them reached their new place.
    if (stored.earlierVersionFound && rewritten.recordsWritten) {
        settings_.SetAppName(kEarlierAppName);
        settings_.SetCompany(kCompany);
        settings_.DeleteSetting(L"", L"", false);
    }
}

void ButtonOperations::ClearVacatedSlots(int first, int end) {
    // From the first missing record on, a slot keeps only what the rewrite put there: a moved
    // button's entry under its own root, nothing in the slots the list no longer reaches.
    const int rows = static_cast<int>(list_.rows.size());
    for (int slot = first; slot < end && slot < kSlotCount; ++slot) {
        if (slot < rows) {
            RemoveToolbarEntry(settings_, slot, list_.rows[slot].scope != kScopeAllUsers);
            continue;
        }
        RemoveButtonRecord(settings_, slot);
        RemoveToolbarEntry(settings_, slot, false);
        RemoveToolbarEntry(settings_, slot, true);
    }
}

void ButtonOperations::EraseDamagedStore() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RemoveToolbarEntry(settings_, slot, true);
        RemoveToolbarEntry(settings_, slot, false);
        RemoveButtonRecord(settings_, slot);
        WriteButtonCount(settings_, 0);
    }
}

bool ButtonOperations::LoadRecord(int slot) {
    const std::optional<ButtonRecord> read = ReadButtonRecord(settings_, slot);
    if (!read) return false;
    const ButtonRecord& record = *read;
    ButtonRow row;
    row.text = record.program;

    // Program and disk icons are shown from their files; one that cannot be loaded, like a
    // library number the library does not have, becomes library icon 1.
    std::wstring iconFile;
    if (record.icon == L"program") {
        // "Icon File" names a program icon's file when it had to take a numbered name. A value the
        // naming rule cannot have given this program's icon is left over from an earlier disk icon.
        const bool ownName = IsButtonFilePathFor(record.iconFile, programFolder_ + L"icons\\",
                                                 PathPart(record.program, PathSelector::BaseName), L".ico");
        iconFile = ownName ? record.iconFile : ProgramIconFile(programFolder_, record.program);
        if (LoadFileIcon(record.program, picico_) != 0 || picico_.empty()) iconFile.clear();
    } else if (record.icon == L"disk") {
        iconFile = record.iconFile;
        if (LoadFileIcon(record.iconFile, picico_) != 0 || picico_.empty()) iconFile.clear();
        else row.iconKind = L"disk";
    }
    if (!iconFile.empty()) {
        row.smallIcon = list_.images.Append(picico_.get());
        row.tag = iconFile;
    } else {
        const bool fileIcon = record.icon == L"program" || record.icon == L"disk";
        const long long number = fileIcon ? 1 : LeadingNumber(record.icon);
        row.smallIcon = number >= 1 && number <= kLibraryIconCount ? number : 1;
    }

    row.buttonText = record.buttonText;
    row.menuText = record.menuText;
    row.menuStatusBar = record.menuStatusBar;
    row.parameters = record.arguments;
    row.link = record.link;
    row.scope = record.scope;
    list_.rows.push_back(std::move(row));
    return true;
}

}  // namespace velmora
