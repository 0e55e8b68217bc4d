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
    prompts.ShowSummary(report.Text(), kExportTitle, report.BoxIcon());
}

bool mnuFileImport_Click(EditorPrompts& prompts, ButtonList& list, RegistryStores& stores, const FilePlaces& places,
                         const std::function<void()>& listChanged) {
    const std::wstring file = prompts.ShowOpenDialog(kRegFilesFilter, kImportTitle, DocumentsFolder());
    if (file.empty()) return false;
    const size_t before = list.rows.size();
    const TransferReport report = ImportButtons(list, stores, places, file);
    const bool changed = list.rows.size() != before;
    if (changed && listChanged) listChanged();
    prompts.ShowSummary(report.Text(), kImportTitle, report.BoxIcon());
    return changed;
}

}  // namespace velmora
