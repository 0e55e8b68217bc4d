#include "checkup/button_repair.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"
#include "buttons/icon_files.h"
#include "buttons/paths.h"
#include "buttons/shortcut_file.h"
#include "checkup/button_check.h"
#include "checkup/finding_texts.h"
#include "checkup/stored_buttons.h"
#include "common/file_paths.h"

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

// A program icon made again keeps the name its record gives it. Without one it takes a free name
// in the place of the button's scope when that is not the program's folder, and the record is
// written again to name it; answers whether it did.
bool NameProgramIconInPlace(std::vector<Button>& buttons, int row, const ButtonRecord& record,
                            const FilePlaces& places) {
    Button& button = buttons[row];
    const std::wstring folder = places.FolderFor(button.scope);
    if (SamePathText(button.iconFile, record.iconFile) || SamePathText(folder, places.programFolder)) return false;
    std::vector<std::wstring> others;
    for (int other = 0; other < static_cast<int>(buttons.size()); ++other) {
        if (other == row) continue;
        others.push_back(buttons[other].iconFile);
        others.push_back(buttons[other].link);
    }
    button.iconFile = ChooseButtonFilePath(IconsFolderOf(folder), PathPart(button.fileToLaunch, PathSelector::BaseName),
                                           L".ico", others);
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
        if (finding.fix == Fix::LibraryIconOne) {
            // The list shows library icon 1 for a disk icon whose file is gone; one whose file has
            // no icon becomes the same.
            Button& button = buttons[finding.row];
            button.iconKind = IconKind::Library;
            button.iconFile.clear();
            button.libraryNumber = 1;
        }
        if (finding.fix == Fix::LibraryIconOne || finding.fix == Fix::WriteEntry || finding.fix == Fix::WriteRecord ||
            (finding.fix == Fix::MakeProgramIcon &&
             NameProgramIconInPlace(buttons, finding.row, stored.records[finding.row], places))) {
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

void RepairFiles(const std::vector<Button>& buttons, const std::vector<Finding>& findings, const FilePlaces& places) {
    // The folders made stay: the files made in them are the buttons' own.
    std::vector<std::wstring> madeFolders;
    for (const Finding& finding : findings) {
        if (finding.fix == Fix::MakeProgramIcon) {
            const Button& button = buttons[finding.row];
            const UniqueHicon large = ProgramIconToSave(button.fileToLaunch);
            if (MakeFolderChain(FolderOfPath(button.iconFile), madeFolders)) SaveIconFile(large.get(), button.iconFile);
        } else if (finding.fix == Fix::MakeShortcut) {
            const Button& button = buttons[finding.row];
            if (MakeFolderChain(FolderOfPath(button.link), madeFolders)) {
                CreateShortcutFile(button.link, button.fileToLaunch, L"", button.parameters, button.fileToLaunch, 1, 5);
            }
        } else if (finding.fix == Fix::RemoveFile && IsOwnButtonFile(places, finding.file)) {
            ::DeleteFileW(finding.file.c_str());
        }
    }
}

}  // namespace

RepairResult RepairButtons(RegistryApi& registry, const std::wstring& programFolder) {
    return RepairButtons(registry, FindFilePlaces(programFolder));
}

RepairResult RepairButtons(RegistryApi& registry, const FilePlaces& places) {
    RepairResult result;
    RegistryStores stores(registry);
    const StoredButtons stored = ReadStoredButtons(stores, places);
    result.before = CheckStoredButtons(stored, places);
    if (!result.before.AnyRepairable()) {
        result.after = result.before;
        return result;
    }
    std::vector<Button> buttons = stored.buttons;
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
    RepairFiles(buttons, result.before.findings, places);
    result.after = CheckButtons(registry, places);
    return result;
}

std::vector<std::wstring> RepairReportLines(const RepairResult& result) {
    std::vector<std::wstring> lines;
    if (result.refused) {
        lines.push_back(texts::Refused(result.refusedAt, result.administratorNeeded, result.restored));
    } else {
        // Repaired is what the check after the repair no longer finds.
        std::vector<std::wstring> repaired;
        for (const Finding& finding : result.before.findings) {
            const bool remains = std::any_of(result.after.findings.begin(), result.after.findings.end(),
                                             [&](const Finding& after) { return after.Text() == finding.Text(); });
            if (finding.repairable() && !remains) repaired.push_back(L"  " + finding.problem);
        }
        if (!repaired.empty()) lines.push_back(texts::kRepairedHeading);
        lines.insert(lines.end(), repaired.begin(), repaired.end());
    }
    if (result.after.findings.empty()) {
        lines.push_back(texts::AllInOrder(result.after.buttons));
        return lines;
    }
    lines.push_back(texts::kRemainingHeading);
    for (const Finding& finding : result.after.findings) {
        const bool tried =
            !result.refused &&
            std::any_of(result.before.findings.begin(), result.before.findings.end(),
                        [&](const Finding& before) { return before.repairable() && before.Text() == finding.Text(); });
        lines.push_back(L"  " + (tried ? texts::NotMended(finding) : finding.Text()));
    }
    return lines;
}

}  // namespace velmora
