#include "transfer/button_export.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/stored_layout.h"
#include "common/file_paths.h"
#include "common/report_text.h"
#include "transfer/transfer_paths.h"

#include <windows.h>

#include <set>

namespace velmora {

namespace {

RegKey KeyOf(std::wstring path, const NamedTexts& values) {
    RegKey key;
    key.path = std::move(path);
    for (const auto& [name, text] : values) key.values.push_back({name, false, REG_SZ, text, {}, 0});
    return key;
}

}  // namespace

RegFile ExportedRegFile(const ButtonList& list, const std::wstring& programFolder) {
    RegFile file;
    const std::wstring root = kCurrentUserRoot;
    const int count = static_cast<int>(list.rows.size());
    for (int slot = 0; slot < count && IsValidSlot(slot); ++slot) {
        const ButtonRow& row = list.rows[slot];
        const NamedTexts entry = EntryValues(EntryFor(row.button, programFolder));
        const std::wstring section = ToolbarEntrySection(slot);
        if (ForAllUsers(row.button.scope)) {
            file.keys.push_back(KeyOf(std::wstring(kMachineRoot) + L"\\" + kBrowserKey + section, entry));
            file.keys.push_back(KeyOf(std::wstring(kMachineRoot) + L"\\" + kBrowserKey32 + section, entry));
        } else {
            file.keys.push_back(KeyOf(root + L"\\" + kBrowserKey + section, entry));
        }
        file.keys.push_back(KeyOf(root + L"\\" + kProgramKey + ButtonRecordSection(slot),
                                  RecordValues(RecordFor(row.button, programFolder), RecordValueOrder::Add)));
    }
    file.keys.push_back(KeyOf(root + L"\\" + kProgramKey + kAddedButtons,
                              {{kCountValue, std::to_wstring(std::min(count, kSlotCount))}}));
    return file;
}

std::vector<std::wstring> ExportComments(size_t buttons, const std::wstring& programFolder,
                                         const std::wstring& filesFolderName) {
    return {
        L"Velmora's toolbar buttons for Internet Explorer: " + CountOfButtons(buttons) +
            L", each with its browser entry and Velmora's record of it.",
        L"To add them to Velmora's list, choose \"Import Buttons...\" in Velmora's \"File\" menu, or run: "
        L"vlm /import \"<this file>\"",
        L"\"reg import\" of this file writes the same keys as they are; the buttons then expect Velmora in " +
            programFolder + L" and replace the list kept there.",
        L"Buttons for \"All Users\" need administrator rights. The icon and shortcut files the buttons use are "
        L"copied to the folder \"" +
            filesFolderName + L"\" beside this file.",
    };
}

TransferReport ExportButtons(const ButtonList& list, const std::wstring& programFolder, const std::wstring& file) {
    return ExportButtons(list, OwnFilePlaces(programFolder), file);
}

TransferReport ExportButtons(const ButtonList& list, const FilePlaces& places, const std::wstring& file) {
    const std::wstring& programFolder = places.programFolder;
    TransferReport report;
    if (list.rows.empty()) {
        report.outcome = ExitCode::NothingDone;
        report.lines.push_back(kNothingToExportText);
        return report;
    }
    const std::wstring filesFolder = TransferFilesFolder(file);
    const std::wstring filesFolderName = NameOfPath(filesFolder.substr(0, filesFolder.size() - 1));
    const size_t exported = std::min(list.rows.size(), static_cast<size_t>(kSlotCount));
    const RegFileWriteResult written = WriteRegFile(file, ExportedRegFile(list, programFolder),
                                                    ExportComments(exported, programFolder, filesFolderName));
    if (!written) {
        report.outcome = ExitCode::NothingDone;
        report.lines.push_back(L"The buttons could not be exported: " + written.message);
        return report;
    }
    report.lines.push_back(CountOfButtons(exported) + (exported == 1 ? L" was" : L" were") + L" exported to " +
                           QuotedForReport(file) + L".");

    // Each of the program's own files once, under its own name, in the folder of its kind. As the
    // deletion of a button's files judges them, so that what an export copies is what a delete
    // would remove.
    std::set<std::wstring> copied;
    std::vector<std::wstring> failed;
    for (size_t row = 0; row < exported; ++row) {
        for (const std::wstring& used : {list.rows[row].button.iconFile, list.rows[row].button.link}) {
            const std::optional<OwnFileKind> kind = used.empty() ? std::nullopt : OwnFileKindOf(places, used);
            if (!kind || !FileExists(used)) continue;
            const std::wstring folder = FolderOfKind(filesFolder, *kind);
            const std::wstring target = folder + NameOfPath(FullPath(used));
            if (!copied.insert(target).second) continue;
            ::CreateDirectoryW(filesFolder.c_str(), nullptr);
            ::CreateDirectoryW(folder.c_str(), nullptr);
            if (!::CopyFileW(used.c_str(), target.c_str(), FALSE)) failed.push_back(used);
        }
    }
    if (copied.size() > failed.size()) {
        report.lines.push_back(L"Their icon and shortcut files were copied to " + QuotedForReport(filesFolder) + L".");
    }
    for (const std::wstring& file : failed) {
        report.outcome = ExitCode::DoneInPart;
        report.lines.push_back(L"The file " + QuotedForReport(file) + L" could not be copied to " +
                               QuotedForReport(filesFolder) + L".");
    }
    return report;
}

}  // namespace velmora
