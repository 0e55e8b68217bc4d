// Writing every button of the list back to the browser entries and the records.
#include "buttons/button_operations.h"
#include "buttons/button_slots.h"
#include "common/file_paths.h"

#include <windows.h>

namespace velmora {

ToolbarEntry EntryForRow(const ButtonRow& row, const std::wstring& programFolder) {
    ToolbarEntry entry;
    entry.buttonText = row.buttonText;
    entry.exec = row.link.empty() ? row.text : row.link;
    if (!row.tag.empty()) {
        entry.icon = entry.hotIcon = row.tag;
    } else {
        entry.icon = LibraryIconFile(programFolder, row.smallIcon);
        entry.hotIcon = LibraryHotIconFile(programFolder, row.smallIcon);
    }
    entry.menuText = row.menuText;
    entry.menuStatusBar = row.menuStatusBar;
    return entry;
}

ButtonRecord RecordForRow(const ButtonRow& row, const std::wstring& programFolder) {
    ButtonRecord record;
    if (row.tag.empty()) {
        record.icon = std::to_wstring(row.smallIcon);
    } else if (row.iconKind == L"disk") {
        record.icon = L"disk";
        record.iconFile = row.tag;
    } else {
        record.icon = L"program";
        // A program icon file that had to take another name than the program's own is
        // remembered, so that the next start finds it.
        if (!SamePathText(row.tag, ProgramIconFile(programFolder, row.text))) record.iconFile = row.tag;
    }
    record.program = row.text;
    record.buttonText = row.buttonText;
    record.menuText = row.menuText;
    record.menuStatusBar = row.menuStatusBar;
    record.scope = row.scope;
    record.arguments = row.parameters;
    record.link = row.link;
    return record;
}

RewriteResult ButtonOperations::RewriteRows(int first, bool withCount) {
    // Every button is written even when one write is refused (an "All Users" entry for a user
    // without administrator rights): the others still reach the registry.
    const int rows = static_cast<int>(list_.rows.size());
    RewriteResult result;
    for (int slot = first; slot < rows && slot < kSlotCount; ++slot) {
        const ButtonRow& row = list_.rows[slot];
        const ToolbarEntry entry = EntryForRow(row, programFolder_);
        const bool entryWritten = WriteToolbarEntry(settings_, slot, row.scope == kScopeAllUsers, entry);
        // "Count" takes the number of rows once, after the first entry: writing it again for every
        // row would store the same text each time.
        bool recordWritten = !withCount || slot != first || WriteButtonCount(settings_, rows);
        recordWritten = WriteButtonRecord(settings_, slot, RecordForRow(row, programFolder_),
                                          RecordValueOrder::Rewrite) &&
                        recordWritten;
        if ((!entryWritten || !recordWritten) && result.firstRefusedSlot < 0) result.firstRefusedSlot = slot;
        result.entriesWritten = result.entriesWritten && entryWritten;
        result.recordsWritten = result.recordsWritten && recordWritten;
    }
    return result;
}

}  // namespace velmora
