#include "mainwindow/transfer_menu.h"

#include "common/unique_handles.h"
#include "transfer/button_export.h"
#include "transfer/button_import.h"

#include <shlobj.h>

namespace velmora {

std::wstring DocumentsFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)) && path) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

void mnuFileExport_Click(EditorPrompts& prompts, const ButtonList& list, const FilePlaces& places) {
    if (list.rows.empty()) {
        prompts.Message(kNothingToExportText, kExportTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::wstring file =
        prompts.ShowSaveDialog(kRegFilesFilter, kExportTitle, DocumentsFolder(), kDefaultExportName);
    if (file.empty()) return;
    const TransferReport report = ExportButtons(list, places, file);
    prompts.Message(report.Text(), kExportTitle, MB_OK | report.BoxIcon());
}

bool mnuFileImport_Click(EditorPrompts& prompts, ButtonList& list, RegistryStores& stores, const FilePlaces& places) {
    const std::wstring file = prompts.ShowOpenDialog(kRegFilesFilter, kImportTitle, DocumentsFolder());
    if (file.empty()) return false;
    const size_t before = list.rows.size();
    const TransferReport report = ImportButtons(list, stores, places, file);
    prompts.Message(report.Text(), kImportTitle, MB_OK | report.BoxIcon());
    return list.rows.size() != before;
}

}  // namespace velmora
