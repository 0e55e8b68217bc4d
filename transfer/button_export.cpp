#include "transfer/button_export.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/stored_layout.h"
#include "common/file_paths.h"
#include "common/report_text.h"
#include "common/unique_handles.h"
#include "transfer/transfer_paths.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace velmora {

namespace {

RegKey KeyOf(std::wstring path, const NamedTexts& values) {
    RegKey key;
    key.path = std::move(path);
    for (const auto& [name, text] : values) key.values.push_back({name, false, REG_SZ, text, {}, 0});
    return key;
}

// An own file that goes with the export: where it is, and its place in the files folder
// ("icons\notepad (2).ico").
struct TravellingFile {
    std::wstring source;
    std::wstring target;
};

DWORD AttributesOf(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool IsPlainFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A new empty folder beside path, named after it with the mark and a number; empty when none
// could be made.
std::wstring MakeFolderBeside(const std::wstring& path, const std::wstring& mark) {
    for (int number = 1; number <= 100; ++number) {
        const std::wstring folder = path + mark + std::to_wstring(number);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return {};
}

// A name beside path, named after it with the mark and a number, that nothing has; empty when
// there is none.
std::wstring FreeNameBeside(const std::wstring& path, const std::wstring& mark) {
    for (int number = 1; number <= 100; ++number) {
        const std::wstring name = path + mark + std::to_wstring(number);
        if (AttributesOf(name) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND) return name;
    }
    return {};
}

// The entries of a folder (without "." and ".."), each with its attributes.
std::vector<std::pair<std::wstring, DWORD>> FolderEntries(const std::wstring& folder) {
    std::vector<std::pair<std::wstring, DWORD>> entries;
    WIN32_FIND_DATAW found;
    const UniqueFindHandle search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") entries.emplace_back(name, found.dwFileAttributes);
    } while (::FindNextFileW(search.get(), &found));
    return entries;
}

// Whether a folder holds only what the earlier export made: a plain folder with at most "icons\"
// and "shortcuts\", plain folders that hold plain files only, each a copy the earlier export file
// (earlier) names. No link anywhere. A user's own file dropped there keeps the folder as it is.
bool HoldsOnlyExportFiles(const std::wstring& folder, const TransferFileNames& earlier) {
    if (!IsPlainFolder(AttributesOf(folder))) return false;
    for (const auto& [name, attributes] : FolderEntries(folder)) {
        const bool kindFolder = SamePathText(name + L"\\", FolderOfKind(L"", OwnFileKind::Icon)) ||
                                SamePathText(name + L"\\", FolderOfKind(L"", OwnFileKind::Shortcut));
        if (!kindFolder || !IsPlainFolder(attributes)) return false;
        const OwnFileKind kind = SamePathText(name + L"\\", FolderOfKind(L"", OwnFileKind::Icon))
                                     ? OwnFileKind::Icon
                                     : OwnFileKind::Shortcut;
        for (const auto& [fileName, fileAttributes] : FolderEntries(folder + L"\\" + name)) {
            if (fileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
            if (!earlier.NamesCopy(fileName, kind)) return false;
        }
    }
    return true;
}

// Removes a files folder an export made: the plain files in its "icons\" and "shortcuts\", those
// two folders and the folder itself; a link or anything else is never followed nor removed, and
// keeps the folders that hold it. Answers whether the folder is gone.
bool RemoveExportFolder(const std::wstring& folder) {
    if (!IsPlainFolder(AttributesOf(folder))) return false;
    for (const OwnFileKind kind : {OwnFileKind::Icon, OwnFileKind::Shortcut}) {
        const std::wstring sub = folder + L"\\" + FolderOfKind(L"", kind);
        if (!IsPlainFolder(AttributesOf(sub))) continue;
        for (const auto& [name, attributes] : FolderEntries(sub)) {
            if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
            const std::wstring path = sub + name;
            if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        }
        ::RemoveDirectoryW(sub.c_str());
    }
    return ::RemoveDirectoryW(folder.c_str()) != FALSE;
}

// Puts the new files folder staging (empty: this export has no files) in the place of folder
// (both without a trailing backslash): the old one is renamed away, the new one renamed in, and
// the old one removed. A folder that holds anything an export does not make is left as it is.
// Answers the report's line when the files are not where the export says.
std::optional<std::wstring> ReplaceFilesFolder(const std::wstring& folder, const std::wstring& staging,
                                               const TransferFileNames& earlier) {
    const std::wstring shown = L"\"" + folder + L"\\\"";
    std::wstring old;
    if (AttributesOf(folder) != INVALID_FILE_ATTRIBUTES) {
        std::optional<std::wstring> refused;
        if (!HoldsOnlyExportFiles(folder, earlier)) {
            refused = L"The folder " + shown + L" holds files an export does not make, so it was left as it is" +
                      (staging.empty() ? L"." : L"; the buttons' icon and shortcut files were not copied there.");
        } else {
            old = FreeNameBeside(folder, L"~old");
            if (old.empty() || !::MoveFileW(folder.c_str(), old.c_str())) {
                refused =
                    L"The folder " + shown + L" could not be replaced: " +
                    (staging.empty() ? L"it holds an earlier export's files." : L"the files were not copied there.");
            }
        }
        if (refused) {
            if (!staging.empty()) RemoveExportFolder(staging);
            return refused;
        }
    }
    if (!staging.empty() && !::MoveFileW(staging.c_str(), folder.c_str())) {
        if (!old.empty()) ::MoveFileW(old.c_str(), folder.c_str());
        RemoveExportFolder(staging);
        return L"The folder " + shown + L" could not be replaced: the files were not copied there.";
    }
    if (!old.empty() && !RemoveExportFolder(old))
        return L"The earlier export's folder \"" + old + L"\\\" could not be removed.";
    return std::nullopt;
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
                                         const std::vector<std::wstring>& filePlaces,
                                         const std::wstring& filesFolderName) {
    std::wstring places;
    for (size_t at = 0; at < filePlaces.size(); ++at) {
        places += (at == 0 ? L"" : at + 1 == filePlaces.size() ? L" and " : L", ") + filePlaces[at];
    }
    return {
        L"Velmora's toolbar buttons for Internet Explorer: " + CountOfButtons(buttons) +
            L", each with its browser entry and Velmora's record of it.",
        L"To add them to Velmora's list, choose \"Import Buttons...\" in Velmora's \"File\" menu, or run: "
        L"vlm /import \"<this file>\"",
        L"\"reg import\" of this file writes the same keys as they are and replaces the list kept there; the buttons "
        L"then expect Velmora in " +
            programFolder + (places.empty() ? L"." : L" and their icon and shortcut files in " + places + L"."),
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
    const RegFile regFile = ExportedRegFile(list, programFolder);
    const TransferFileNames copyNames(regFile);

    // Each of the program's own files once, in the folder of its kind, under the name the file
    // gives its copy. As the deletion of a button's files judges them, so that what an export
    // copies is what a delete would remove.
    std::vector<TravellingFile> files;
    const std::vector<std::wstring> own = places.OwnFolders();
    std::vector<bool> placeUsed(own.size());
    for (size_t row = 0; row < exported; ++row) {
        for (const std::wstring& used : {list.rows[row].button.iconFile, list.rows[row].button.link}) {
            const std::optional<OwnFileKind> kind = used.empty() ? std::nullopt : OwnFileKindOf(places, used);
            if (!kind || !FileExists(used)) continue;
            const std::wstring target = FolderOfKind(L"", *kind) + copyNames.CopyName(used, *kind);
            for (size_t at = 0; at < own.size(); ++at) {
                if (SamePathText(FolderOfPath(FullPath(used)), FullPath(FolderOfKind(own[at], *kind))))
                    placeUsed[at] = true;
            }
            if (std::none_of(files.begin(), files.end(),
                             [&](const TravellingFile& file) { return SamePathText(file.target, target); }))
                files.push_back({used, target});
        }
    }
    std::vector<std::wstring> filePlaces;
    for (size_t at = 0; at < placeUsed.size(); ++at) {
        if (placeUsed[at]) filePlaces.push_back(own[at]);
    }

    // The files go to a new folder beside the one of the export's name, which replaces it once
    // the registry file is written: the folder then holds this export's files and no others.
    const std::wstring folderPath = filesFolder.substr(0, filesFolder.size() - 1);
    std::wstring staging;
    std::vector<std::wstring> failed;
    if (!files.empty()) {
        staging = MakeFolderBeside(folderPath, L"~new");
        for (const TravellingFile& travelling : files) {
            const std::wstring target = staging + L"\\" + travelling.target;
            ::CreateDirectoryW(FolderOfPath(target).c_str(), nullptr);
            if (staging.empty() || !::CopyFileW(travelling.source.c_str(), target.c_str(), FALSE))
                failed.push_back(travelling.source);
        }
    }

    // What the file being replaced names is what its export copied: only those files are replaced.
    const RegFileReadResult earlierFile = FileExists(file) ? ReadRegFile(file) : RegFileReadResult{};
    const TransferFileNames earlier = earlierFile.ok() ? TransferFileNames(earlierFile.file) : TransferFileNames();
    const RegFileWriteResult written =
        WriteRegFile(file, regFile, ExportComments(exported, programFolder, filePlaces, filesFolderName));
    if (!written) {
        if (!staging.empty()) RemoveExportFolder(staging);
        report.outcome = ExitCode::NothingDone;
        report.lines.push_back(L"The buttons could not be exported: " + written.message);
        return report;
    }
    report.lines.push_back(CountOfButtons(exported) + (exported == 1 ? L" was" : L" were") + L" exported to " +
                           QuotedForReport(file) + L".");
    if (std::optional<std::wstring> refused = ReplaceFilesFolder(folderPath, staging, earlier)) {
        report.outcome = ExitCode::DoneInPart;
        report.lines.push_back(*refused);
        return report;
    }
    if (files.size() > failed.size()) {
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
