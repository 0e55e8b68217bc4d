#include "transfer/transfer_commands.h"

#include "buttons/button_operations.h"
#include "common/file_paths.h"
#include "common/report_text.h"
#include "common/unique_handles.h"
#include "transfer/button_export.h"
#include "transfer/button_import.h"

namespace velmora {

TransferReport RunExportCommand(const std::wstring& file, const std::wstring& programFolder, bool replace,
                                RegistryApi& registry) {
    const std::wstring full = FullPath(file);
    if (!full.empty()) {
        const std::wstring folder = FolderOfPath(full);
        if (!FolderExists(folder)) {
            // Named as a user writes it: without the backslash at its end, but for a drive's root.
            const std::wstring shown = folder.size() > 3 ? folder.substr(0, folder.size() - 1) : folder;
            return {ExitCode::NothingDone,
                    {L"The buttons could not be exported: the folder " + QuotedForReport(shown) + L" does not exist."}};
        }
        if (FolderExists(full)) {
            return {ExitCode::NothingDone,
                    {L"The buttons could not be exported: " + QuotedForReport(file) + L" is a folder."}};
        }
        if (FileExists(full) && !replace) {
            return {ExitCode::NothingDone,
                    {L"The file " + QuotedForReport(file) +
                     L" exists already; nothing was exported. Add /y to replace it."}};
        }
    }
    RegistryStores stores(registry);
    ButtonList list;
    CollectingPrompts prompts;
    ButtonOperations operations(list, stores, prompts, OwnFilePlaces(programFolder));
    if (!operations.LoadWithoutWriting()) {
        return {ExitCode::NothingDone,
                {L"Velmora's list of buttons is damaged: start the editor once to repair it, then export again."}};
    }
    return ExportButtons(list, operations.filePlaces(), file);
}

TransferReport RunImportCommand(const std::wstring& file, const std::wstring& programFolder, RegistryApi& registry) {
    // The shortcut files that carry parameters are made through COM.
    ComApartment apartment;
    // A file that is refused changes nothing, not even the repairs of the start-up.
    ButtonsInFile found;
    if (std::optional<TransferReport> refusal = RefusalOfImportFile(file, found)) return *refusal;
    RegistryStores stores(registry);
    ButtonList list;
    CollectingPrompts prompts;
    // The buttons' files go where the editor's would.
    const FilePlaces places = FindFilePlaces(programFolder);
    ButtonOperations(list, stores, prompts, places).LoadAtStartup();
    TransferReport report = AddButtonsFromFile(found, list, stores, places, file);
    for (const std::wstring& text : prompts.texts) report.lines.insert(report.lines.begin(), text);
    return report;
}

}  // namespace velmora
