// The start-up load of the list of added buttons.
#include "buttons/button_operations.h"

#include "buttons/button_mapping.h"
#include "buttons/stored_layout.h"

namespace velmora {

ButtonOperations::StoredList ButtonOperations::ReadStoredList() {
    list_.rows.clear();

    // Records left by the earlier version are loaded from there, once, and then moved here.
    StoredList stored;
    stored.earlierVersionFound = EarlierRecordsFound(stores_);
    const CRegSettings& records = stored.earlierVersionFound ? stores_.earlierRecords : stores_.records;

    stored.count = ReadButtonCount(records);
    if (stored.count > kSlotCount) return stored;
    // Nothing here writes. A record whose key is not there is no button: listed, it would give the
    // browser a button that launches nothing. The buttons after it move up a slot.
    for (int slot = 0; slot < stored.count; ++slot) {
        if (!LoadRecord(records, slot) && stored.firstMissing < 0) stored.firstMissing = slot;
    }
    return stored;
}

bool ButtonOperations::LoadWithoutWriting() {
    return ReadStoredList().count <= kSlotCount;
}

bool ButtonOperations::LoadAtStartup() {
    const ButtonsLock lock(kEditorLockWait);
    if (!Locked(lock, kButtonsBusyAtStartText)) return false;
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
        // What stays of it after a refusal is found and moved again at the next start.
        static_cast<void>(RemoveEarlierRecords(stores_));
    }
    return true;
}

void ButtonOperations::ClearVacatedSlots(int first, int end) {
    // From the first missing record on, a slot keeps only what the rewrite put there: a moved
    // button's entry under its own root, nothing in the slots the list no longer reaches.
    const int rows = static_cast<int>(list_.rows.size());
    for (int slot = first; slot < end && slot < kSlotCount; ++slot) {
        // Best effort: what a refusal leaves is cleared again at the next start.
        if (slot < rows) {
            const ButtonScope other =
                ForAllUsers(list_.rows[slot].button.scope) ? ButtonScope::CurrentUser : ButtonScope::AllUsers;
            static_cast<void>(RemoveToolbarEntry(stores_.browser, slot, other));
            continue;
        }
        static_cast<void>(RemoveButtonRecord(stores_.records, slot));
        static_cast<void>(RemoveToolbarEntry(stores_.browser, slot, ButtonScope::CurrentUser));
        static_cast<void>(RemoveToolbarEntry(stores_.browser, slot, ButtonScope::AllUsers));
    }
}

void ButtonOperations::EraseDamagedStore() {
    // Best effort, as the deleter does: a slot that refuses does not stop the others. The count
    // is left at none.
    EraseEverySlot(stores_);
    static_cast<void>(WriteButtonCount(stores_.records, 0));
}

Button ListedButton(const ButtonRecord& record, const FilePlaces& places) {
    Button button = ButtonFromRecord(record, places);
    // Program and disk icons are shown from their files; one that cannot be loaded, like a
    // library number the library does not have, becomes library icon 1.
    if (button.iconKind != IconKind::Library) {
        const std::wstring& shown = button.iconKind == IconKind::Program ? button.fileToLaunch : button.iconFile;
        // The picture is taken only to know that there is one: the window takes its own.
        if (!FileIconPicture(shown)) {
            button.iconKind = IconKind::Library;
            button.iconFile.clear();
            button.libraryNumber = 1;
        }
    }
    return button;
}

Button ListedButton(const ButtonRecord& record, const std::wstring& programFolder) {
    return ListedButton(record, OwnFilePlaces(programFolder));
}

bool ButtonOperations::LoadRecord(const CRegSettings& records, int slot) {
    const std::optional<ButtonRecord> record = ReadButtonRecord(records, slot);
    if (!record) return false;
    list_.rows.push_back({ListedButton(*record, places_)});
    return true;
}

}  // namespace velmora
