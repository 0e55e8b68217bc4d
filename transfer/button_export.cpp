#include "transfer/button_export.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/button_slots.h"
#include "common/file_paths.h"
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

// The folder of the program's own files ("icons" or "shortcuts") that holds file, in any of the
// places, judged by the path it opens; empty for any other file and for the library icons. As the
// deletion of a button's files judges them, so that what an export copies is what a delete would
// remove.
std::wstring OwnFolderOf(const std::wstring& file, const FilePlaces& places) {
    if (!IsOwnButtonFile(places, file)) return {};
    const std::wstring folder = FolderOfPath(FullPath(file));
    for (const std::wstring& place : places.OwnFolders()) {
        for (const wchar_t* subfolder : {L"icons", L"shortcuts"}) {
            if (SamePathText(folder, FullPath(place + subfolder + L"\\"))) return subfolder;
        }
    }
    return {};
}

}  // namespace

std::wstring TransferFilesFolder(const std::wstring& regFile) {
    const size_t nameStart = regFile.find_last_of(L'\\') + 1;
    const size_t dot = regFile.find_last_of(L'.');
    const std::wstring base = dot != std::wstring::npos && dot > nameStart ? regFile.substr(0, dot) : regFile;
    return base + L" files\\";
}

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
    file.keys.push_back(
        KeyOf(root + L"\\" + kProgramKey + kAddedButtons, {{L"Count", std::to_wstring(std::min(count, kSlotCount))}}));
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
        report.outcome = kTransferNothingDone;
        report.lines.push_back(kNothingToExportText);
        return report;
    }
    const std::wstring filesFolder = TransferFilesFolder(file);
    const std::wstring filesFolderName = NameOfPath(filesFolder.substr(0, filesFolder.size() - 1));
    const size_t exported = std::min(list.rows.size(), static_cast<size_t>(kSlotCount));
    const RegFileWriteResult written = WriteRegFile(file, ExportedRegFile(list, programFolder),
                                                    ExportComments(exported, programFolder, filesFolderName));
    if (!written) {
        report.outcome = kTransferNothingDone;
        report.lines.push_back(L"The buttons could not be exported: " + written.message);
        return report;
    }
    report.lines.push_back(CountOfButtons(exported) + (exported == 1 ? L" was" : L" were") + L" exported to \"" + file +
                           L"\".");

    // Each of the program's own files once, under its own name.
    std::set<std::wstring> copied;
    std::vector<std::wstring> failed;
    for (size_t row = 0; row < exported; ++row) {
        for (const std::wstring& used : {list.rows[row].button.iconFile, list.rows[row].button.link}) {
            const std::wstring folder = used.empty() ? L"" : OwnFolderOf(used, places);
            if (folder.empty() || !FileExists(used)) continue;
            const std::wstring target = filesFolder + folder + L"\\" + NameOfPath(FullPath(used));
            if (!copied.insert(target).second) continue;
            ::CreateDirectoryW(filesFolder.c_str(), nullptr);
            ::CreateDirectoryW((filesFolder + folder).c_str(), nullptr);
            if (!::CopyFileW(used.c_str(), target.c_str(), FALSE)) failed.push_back(used);
        }
    }
    if (copied.size() > failed.size()) {
        report.lines.push_back(L"Their icon and shortcut files were copied to \"" + filesFolder + L"\".");
    }
    for (const std::wstring& file : failed) {
        report.outcome = kTransferDoneInPart;
        report.lines.push_back(L"The file \"" + file + L"\" could not be copied to \"" + filesFolder + L"\".");
    }
    return report;
}

}  // namespace velmora
