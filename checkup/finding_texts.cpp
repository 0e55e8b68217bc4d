#include "checkup/finding_texts.h"

#include "buttons/stored_layout.h"
#include "common/report_text.h"

namespace velmora::texts {

namespace {

// A caption, a file or a value as a report shows it: in quotes, cut, its control characters escaped.
std::wstring Quoted(const std::wstring& text) {
    return QuotedForReport(text);
}

std::wstring SlotName(int slot) {
    return L"Slot " + std::to_wstring(slot + 1);
}

Finding Make(int row, std::wstring problem, std::wstring repair, Fix fix, std::wstring done = {}) {
    Finding finding;
    finding.row = row;
    finding.problem = std::move(problem);
    finding.repair = std::move(repair);
    finding.fix = fix;
    finding.done = std::move(done);
    return finding;
}

// "caption", launches "file": how an entry or a record no button owns is named.
std::wstring Holding(const std::wstring& caption, const std::wstring& file) {
    return L"(" + Quoted(caption) + L", launches " + Quoted(file) + L")";
}

constexpr const wchar_t* kWriteAgain = L"Repair writes it again from the list.";

}  // namespace

std::wstring RootName(HKEY root, REGSAM view) {
    if (root != HKEY_LOCAL_MACHINE) return L"HKEY_CURRENT_USER";
    return view == KEY_WOW64_32KEY ? L"HKEY_LOCAL_MACHINE (32-bit view)" : L"HKEY_LOCAL_MACHINE (64-bit view)";
}

Finding ProgramMissing(int row, const std::wstring& button, const std::wstring& file) {
    return Make(row, Quoted(button) + L": the file to launch " + Quoted(file) + L" is not there.",
                L"Edit or delete the button.", Fix::None);
}

Finding EntryMissing(int row, const std::wstring& button, const std::wstring& where) {
    return Make(row, Quoted(button) + L": the browser entry under " + where + L" is missing.", kWriteAgain,
                Fix::WriteEntry, Quoted(button) + L": wrote the browser entry under " + where + L" again.");
}

Finding EntryValueChanged(int row, const std::wstring& button, const std::wstring& where, const std::wstring& value,
                          const std::wstring& now) {
    const std::wstring place = where.empty() ? L"" : L" under " + where;
    return Make(
        row,
        Quoted(button) + L": the browser entry's " + Quoted(value) + place + L" was changed to " + Quoted(now) + L".",
        kWriteAgain, Fix::WriteEntry,
        Quoted(button) + L": wrote the browser entry's " + Quoted(value) + L" again from the record.");
}

Finding EntryValueLost(int row, const std::wstring& button, const std::wstring& where, const std::wstring& value) {
    const std::wstring place = where.empty() ? L"" : L" under " + where;
    return Make(row, Quoted(button) + L": the browser entry" + place + L" has no " + Quoted(value) + L".",
                L"Repair writes it back from the record.", Fix::WriteEntry,
                Quoted(button) + L": wrote " + Quoted(value) + L" back into the browser entry from the record.");
}

Finding RecordValueLost(int row, const std::wstring& button, const std::wstring& value, const std::wstring& entryText) {
    return Make(row,
                Quoted(button) + L": its record has no " + Quoted(value) + L"; the browser entry still has " +
                    Quoted(entryText) + L".",
                L"Repair writes it back into the record from the browser entry.", Fix::WriteRecord,
                Quoted(button) + L": wrote " + Quoted(value) + L" back into the record from the browser entry.");
}

Finding NothingToLaunch(int row, const std::wstring& button) {
    return Make(row, Quoted(button) + L": neither its record nor its browser entry names a file to launch.",
                L"Edit or delete the button.", Fix::None);
}

Finding NoCaption(int row, const std::wstring& button) {
    return Make(row, Quoted(button) + L": neither its record nor its browser entry gives it a caption.",
                L"Edit or delete the button.", Fix::None);
}

Finding EntryInOneView(int row, const std::wstring& button, const std::wstring& view) {
    return Make(row, Quoted(button) + L": the \"All Users\" browser entry exists in the " + view + L" only.",
                L"Repair writes it into both views.", Fix::WriteEntry,
                Quoted(button) + L": wrote the \"All Users\" browser entry into both views.");
}

Finding EntryUnderOtherRoot(int row, const std::wstring& button, const std::wstring& where, int slot, bool machineRoot,
                            const std::wstring& scope) {
    Finding finding = Make(row,
                           Quoted(button) + L": a browser entry for it sits under " + where +
                               L", though the button is for " + Quoted(scope) + L".",
                           L"Repair removes it.", Fix::RemoveEntry,
                           Quoted(button) + L": removed the browser entry under " + where + L".");
    finding.slot = slot;
    finding.machineRoot = machineRoot;
    return finding;
}

Finding RecordMissing(int row, const std::wstring& button) {
    return Make(row, Quoted(button) + L": its record is not in its slot.", L"Repair writes it there from the list.",
                Fix::WriteRecord, Quoted(button) + L": wrote its record into its slot.");
}

Finding RecordValueChanged(int row, const std::wstring& button, const std::wstring& value, const std::wstring* stored,
                           const std::wstring& listed) {
    const std::wstring says = stored ? L" says " + Quoted(*stored) : std::wstring(L" is missing");
    return Make(row,
                Quoted(button) + L": its record's " + Quoted(value) + says + L", the list " + Quoted(listed) + L".",
                L"Repair writes the record again from the list.", Fix::WriteRecord,
                Quoted(button) + L": wrote the record's " + Quoted(value) + L" as " + Quoted(listed) + L".");
}

Finding DiskIconGone(int row, const std::wstring& button, const std::wstring& file, bool fileThere) {
    return Make(
        row,
        Quoted(button) + L": the icon file " + Quoted(file) + (fileThere ? L" has no icon in it." : L" is not there."),
        L"Repair gives the button library icon 1.", Fix::LibraryIconOne,
        Quoted(button) + L": gave the button library icon 1.");
}

Finding ProgramIconGone(int row, const std::wstring& button, const std::wstring& file, bool fileThere) {
    return Make(
        row,
        Quoted(button) + L": the icon file " + Quoted(file) + (fileThere ? L" has no icon in it." : L" is not there."),
        L"Repair makes it again from the program.", Fix::MakeProgramIcon,
        Quoted(button) + L": made the icon again from the program.");
}

Finding LibraryIconGone(int row, const std::wstring& button, const std::wstring& file) {
    return Make(row, Quoted(button) + L": the library icon file " + Quoted(file) + L" is not there.",
                L"Install Velmora again to put it back.", Fix::None);
}

Finding ShortcutMissing(int row, const std::wstring& button, const std::wstring& link) {
    return Make(row, Quoted(button) + L": the shortcut " + Quoted(link) + L" is not there.",
                L"Repair makes it again from the button's file to launch and parameters.", Fix::MakeShortcut,
                Quoted(button) + L": made the shortcut again.");
}

Finding ShortcutDiffers(int row, const std::wstring& button, const std::wstring& link, const std::wstring& target,
                        const std::wstring& arguments, const std::wstring& program, const std::wstring& parameters) {
    return Make(row,
                Quoted(button) + L": the shortcut " + Quoted(link) + L" starts " + Quoted(target) +
                    L" with the parameters " + Quoted(arguments) + L".",
                L"Repair makes it again to start " + Quoted(program) + L" with " + Quoted(parameters) + L".",
                Fix::MakeShortcut, Quoted(button) + L": made the shortcut again.");
}

Finding OrphanEntry(int slot, const std::wstring& where, const std::wstring& caption, const std::wstring& exec) {
    const std::wstring key = ToolbarEntrySection(slot) + L" under " + where + L" " + Holding(caption, exec);
    Finding finding =
        Make(-1, SlotName(slot) + L": the browser entry " + key + L" belongs to no listed button.",
             L"Repair removes it.", Fix::RemoveEntry, SlotName(slot) + L": removed the entry " + key + L".");
    finding.slot = slot;
    finding.machineRoot = false;
    return finding;
}

Finding RecordNotListed(int slot, const std::wstring& caption, const std::wstring& program) {
    const std::wstring key = ButtonRecordSection(slot) + L" " + Holding(caption, program);
    Finding finding =
        Make(-1, SlotName(slot) + L": the record " + key + L" belongs to no listed button.", L"Repair removes it.",
             Fix::RemoveRecord, SlotName(slot) + L": removed the record " + key + L".");
    finding.slot = slot;
    return finding;
}

Finding CountDiffers(const std::wstring& stored, int listed) {
    return Make(-1,
                Quoted(kCountValue) + L" says " + Quoted(stored) + L", but " + std::to_wstring(listed) +
                    L" buttons are listed.",
                L"Repair writes " + std::to_wstring(listed) + L".", Fix::WriteCount,
                L"Wrote " + Quoted(kCountValue) + L" as " + std::to_wstring(listed) + L".");
}

Finding CountPastSlots(const std::wstring& stored) {
    return Make(-1,
                Quoted(kCountValue) + L" says " + Quoted(stored) + L", more than the " + std::to_wstring(kSlotCount) +
                    L" slots: Velmora takes the records as damaged and lists no buttons.",
                L"Repair writes 0 and removes every record and entry.", Fix::WriteCount,
                L"Wrote " + Quoted(kCountValue) + L" as 0; no buttons are listed.");
}

Finding EarlierRecords() {
    return Make(-1, L"The buttons are recorded where Velmora 1.2 kept them.",
                L"Repair moves the records to Velmora's own place.", Fix::MoveEarlierRecords,
                L"Moved the records of Velmora 1.2 to Velmora's own place.");
}

Finding UnusedFile(const std::wstring& file) {
    Finding finding = Make(-1, L"The file " + Quoted(file) + L" was made by Velmora and no button uses it.",
                           L"Repair moves it to the Recycle Bin.", Fix::RemoveFile,
                           L"Moved the unused file " + Quoted(file) + L" to the Recycle Bin.");
    finding.file = file;
    return finding;
}

std::wstring OtherAccountsEntry(int slot, const std::wstring& where, const std::wstring& caption,
                                const std::wstring& exec) {
    return SlotName(slot) + L": the \"All Users\" entry under " + where + L" " + Holding(caption, exec) +
           L" is no button of this account's; it may belong to another account of this computer. Remove All "
           L"Velmora Buttons removes it. Left alone.";
}

std::wstring FileNotMade(const std::wstring& file) {
    return L"The file " + Quoted(file) +
           L" is not used by any button, and Velmora did not make it for this account. Left alone.";
}

std::wstring LinkedFolder(const std::wstring& folder) {
    return L"The folder " + Quoted(folder) +
           L" is a symbolic link or a junction: Velmora leaves it, and what it leads to, alone.";
}

std::wstring AllInOrder(int buttons) {
    if (buttons == 0) return L"There are no buttons, and nothing is left of any.";
    if (buttons == 1) return L"The 1 button is in order.";
    return L"All " + std::to_wstring(buttons) + L" buttons are in order.";
}

std::wstring NotMended(const Finding& finding) {
    return finding.problem + L" Repair tried and could not mend it.";
}

std::wstring Refused(const std::wstring& where, bool administratorNeeded, bool restored) {
    std::wstring text = L"The repair could not write the registry (refused under " + where + L")";
    text += restored ? L", and nothing was changed." : L"; some registry settings could not be put back as they were.";
    if (administratorNeeded) {
        text +=
            L" Buttons for \"All Users\" can only be repaired by an administrator: close Velmora and run it "
            L"again as an administrator (right-click it and choose \"Run as administrator\").";
    }
    return text;
}

}  // namespace velmora::texts
