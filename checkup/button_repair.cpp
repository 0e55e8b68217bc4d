#include "checkup/button_repair.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"
#include "buttons/icon_files.h"
#include "buttons/path_parts.h"
#include "buttons/shortcut_file.h"
#include "checkup/button_check.h"
#include "checkup/finding_texts.h"
#include "checkup/stored_buttons.h"
#include "common/buttons_lock.h"
#include "common/file_paths.h"
#include "common/report_text.h"

#include <algorithm>
#include <set>

namespace velmora {

namespace {

bool Has(const std::vector<Finding>& findings, Fix fix) {
    for (const Finding& finding : findings) {
        if (finding.fix == fix) return true;
    }
    return false;
}

// The large picture a program icon's file is saved from, taken as the editor takes it: from the
// file, or for a document from the program that opens it.
UniqueHicon ProgramIconToSave(const std::wstring& file) {
    UniqueHicon large = ProgramIconPicture(file, 0, true);
    if (large) return large;
    const std::wstring program = FindAssociatedProgram(file);
    return program.empty() ? UniqueHicon() : ProgramIconPicture(program, 0, true);
}

// The files a new name must not take: every other button's, and every unused file the same repair
// removes (nothing made in a run is removed in it).
std::vector<std::wstring> TakenNames(const std::vector<Button>& buttons, int row,
                                     const std::vector<Finding>& findings) {
    std::vector<std::wstring> taken;
    for (int other = 0; other < static_cast<int>(buttons.size()); ++other) {
        if (other == row) continue;
        taken.push_back(buttons[other].iconFile);
        taken.push_back(buttons[other].link);
    }
    for (const Finding& finding : findings) {
        if (finding.fix == Fix::RemoveFile) taken.push_back(finding.file);
    }
    return taken;
}

// A program icon made again keeps the name its record gives it, when that is one of Velmora's own
// files. Without one it takes a free name in the place of the button's scope when that is not the
// program's folder; a name outside Velmora's places (a record may name any file) is never written
// to, and takes a free name in the place of the button's scope instead. The record is then written
// again to name it; answers whether it was.
bool NameProgramIconInPlace(std::vector<Button>& buttons, int row, const ButtonRecord& record,
                            const std::vector<Finding>& findings, const FilePlaces& places) {
    Button& button = buttons[row];
    const std::wstring folder = places.FolderFor(button.scope);
    const bool own = IsOwnButtonFile(places, button.iconFile);
    if (own && (SamePathText(button.iconFile, record.iconFile) || SamePathText(folder, places.programFolder))) {
        return false;
    }
    button.iconFile = ChooseButtonFilePath(IconsFolderOf(folder), PathPart(button.fileToLaunch, PathSelector::BaseName),
                                           L".ico", TakenNames(buttons, row, findings));
    return true;
}

// A shortcut made again keeps its name when it is one of Velmora's own files; one a record names
// elsewhere is never written to, and a new one is made in the place of the button's scope.
bool NameShortcutInPlace(std::vector<Button>& buttons, int row, const std::vector<Finding>& findings,
                         const FilePlaces& places) {
    Button& button = buttons[row];
    if (IsOwnButtonFile(places, button.link)) return false;
    button.link = ChooseButtonFilePath(ShortcutsFolderOf(places.FolderFor(button.scope)),
                                       PathPart(button.fileToLaunch, PathSelector::BaseName), L".lnk",
                                       TakenNames(buttons, row, findings));
    return true;
}

// The registry part: every key of the slots was remembered by the reading, to be put back when a
// write is refused. Answers the first refusal. Every write goes on after one was refused, as the
// rewrite of all buttons does, so that the undo has all of them to put back.
RegistryResult WriteRegistry(RegistryStores& stores, const StoredButtons& stored, std::vector<Button>& buttons,
                             const std::vector<Finding>& findings, const FilePlaces& places) {
    const std::wstring& programFolder = places.programFolder;
    std::set<int> toWrite;
    for (const Finding& finding : findings) {
        if (finding.row < 0) continue;
        // The check's mended buttons hold library icon 1 for a disk icon that is gone and the
        // values taken back from the other copy.
        if (finding.fix == Fix::LibraryIconOne || finding.fix == Fix::WriteEntry || finding.fix == Fix::WriteRecord ||
            (finding.fix == Fix::MakeProgramIcon &&
             NameProgramIconInPlace(buttons, finding.row, stored.records[finding.row], findings, places)) ||
            (finding.fix == Fix::MakeShortcut && NameShortcutInPlace(buttons, finding.row, findings, places))) {
            toWrite.insert(finding.row);
        }
    }
    const bool moveEarlier = stored.earlierVersion() && Has(findings, Fix::MoveEarlierRecords);
    // The earlier version's records all move: every button is written into Velmora's place.
    if (moveEarlier) {
        for (int row = 0; row < static_cast<int>(buttons.size()); ++row) toWrite.insert(row);
    }

    RegistryResult result;
    auto note = [&result](const RegistryResult& next) { result = result.Then(next); };
    for (int row : toWrite) {
        const Button& button = buttons[row];
        note(WriteToolbarEntry(stores.browser, row, button.scope, EntryFor(button, programFolder)));
        note(WriteButtonRecord(stores.records, row, RecordFor(button, programFolder), RecordValueOrder::Rewrite));
    }
    for (const Finding& finding : findings) {
        if (finding.fix == Fix::RemoveEntry) {
            const ButtonScope root = finding.machineRoot ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
            note(RemoveToolbarEntry(stores.browser, finding.slot, root));
        }
        if (finding.fix == Fix::RemoveRecord) note(RemoveButtonRecord(stores.records, finding.slot));
    }
    if (Has(findings, Fix::WriteCount) || moveEarlier) {
        note(WriteButtonCount(stores.records, static_cast<long long>(buttons.size())));
    }
    // The earlier version's records go only when all of them reached their new place.
    if (moveEarlier && result) note(RemoveEarlierRecords(stores));
    return result;
}

void RepairFiles(CRegSettings& records, const std::vector<Button>& buttons, const std::vector<Finding>& findings,
                 const FilePlaces& places) {
    // The folders made stay: the files made in them are the buttons' own. Only Velmora's own files
    // are written; each one made goes on the list of the files Velmora made.
    std::vector<std::wstring> madeFolders;
    std::vector<std::wstring> made;
    for (const Finding& finding : findings) {
        if (finding.fix != Fix::MakeProgramIcon && finding.fix != Fix::MakeShortcut) continue;
        const Button& button = buttons[finding.row];
        const std::wstring& file = finding.fix == Fix::MakeProgramIcon ? button.iconFile : button.link;
        if (!IsOwnButtonFile(places, file) || !MakeFolderChain(FolderOfPath(file), madeFolders, places)) continue;
        const bool written =
            finding.fix == Fix::MakeProgramIcon
                ? SaveIconFile(ProgramIconToSave(button.fileToLaunch).get(), file)
                : CreateShortcutFile(file, button.fileToLaunch, L"", button.parameters, button.fileToLaunch, 1, 5);
        if (!written) continue;
        made.push_back(file);
        static_cast<void>(NoteMadeFile(records, file));  // best effort: a file off the list is never swept
    }
    // A file is removed only when it is still Velmora's own, on the list of the files it made for
    // this account, and not one this repair made.
    const std::vector<std::wstring> madeBefore = MadeFiles(records);
    for (const Finding& finding : findings) {
        if (finding.fix != Fix::RemoveFile) continue;
        const bool madeNow = std::any_of(made.begin(), made.end(),
                                         [&](const std::wstring& file) { return IsSameFile(file, finding.file); });
        if (madeNow || !IsOwnButtonFile(places, finding.file) || !IsMadeFile(madeBefore, finding.file)) continue;
        if (RecycleFile(finding.file)) static_cast<void>(ForgetMadeFile(records, finding.file));
    }
}

}  // namespace

RepairResult RepairButtons(RegistryApi& registry, const std::wstring& programFolder) {
    return RepairButtons(registry, FindFilePlaces(programFolder));
}

RepairResult RepairButtons(RegistryApi& registry, const FilePlaces& places) {
    RepairResult result;
    // A repair reads and writes in one go, as one writer of the buttons.
    const ButtonsLock lock(kEditorLockWait);
    if (!lock.owned()) {
        result.busy = true;
        result.before = result.after = CheckButtons(registry, places);
        return result;
    }
    RegistryStores stores(registry);
    const StoredButtons stored = ReadStoredButtons(stores, places);
    result.before = CheckStoredButtons(stored, places);
    if (!result.before.AnyRepairable()) {
        result.after = result.before;
        return result;
    }
    std::vector<Button> buttons = result.before.mended;
    const RegistryResult written = WriteRegistry(stores, stored, buttons, result.before.findings, places);
    if (!written) {
        result.refused = true;
        result.administratorNeeded = written.MachineAccessDenied();
        result.refusedAt = texts::RootName(written.root, written.view);
        // The snapshot names every key by its root and path: any store puts them back.
        result.restored = static_cast<bool>(stores.records.Restore(stored.keys()));
        result.after = result.before;
        return result;
    }
    RepairFiles(stores.records, buttons, result.before.findings, places);
    result.after = CheckButtons(registry, places);
    return result;
}

std::vector<std::wstring> RepairReportLines(const RepairResult& result) {
    std::vector<std::wstring> lines;
    if (result.busy) {
        lines.push_back(texts::kRepairBusy);
    } else if (result.refused) {
        lines.push_back(texts::Refused(result.refusedAt, result.administratorNeeded, result.restored));
    } else {
        // Repaired is what the check after the repair no longer finds.
        BoundedLines repaired;
        for (const Finding& finding : result.before.findings) {
            const bool remains = std::any_of(result.after.findings.begin(), result.after.findings.end(),
                                             [&](const Finding& after) { return after.Text() == finding.Text(); });
            if (finding.repairable() && !remains) {
                repaired.Add(finding.Kind(), L"  " + (finding.done.empty() ? finding.problem : finding.done));
            }
        }
        const std::vector<std::wstring> shown = repaired.Lines();
        if (!shown.empty()) lines.push_back(texts::kRepairedHeading);
        lines.insert(lines.end(), shown.begin(), shown.end());
    }
    if (result.after.findings.empty()) {
        lines.push_back(texts::AllInOrder(result.after.buttons));
        return lines;
    }
    lines.push_back(texts::kRemainingHeading);
    BoundedLines remaining;
    for (const Finding& finding : result.after.findings) {
        const bool tried =
            !result.refused && !result.busy &&
            std::any_of(result.before.findings.begin(), result.before.findings.end(),
                        [&](const Finding& before) { return before.repairable() && before.Text() == finding.Text(); });
        remaining.Add(finding.Kind(), L"  " + (tried ? texts::NotMended(finding) : finding.Text()));
    }
    const std::vector<std::wstring> shown = remaining.Lines();
    lines.insert(lines.end(), shown.begin(), shown.end());
    return lines;
}

}  // namespace velmora
