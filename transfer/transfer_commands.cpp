#include "transfer/transfer_commands.h"

#include "buttons/button_operations.h"
#include "common/unique_handles.h"
#include "transfer/button_export.h"
#include "transfer/button_import.h"

namespace velmora {

TransferReport RunExportCommand(const std::wstring& file, const std::wstring& programFolder, RegistryApi& registry) {
    CRegSettings settings(registry);
    UseProgramSettings(settings);
    ButtonList list;
    CollectingPrompts prompts;
    IconHolder picico;
    ButtonOperations operations(list, settings, prompts, picico, programFolder);
    if (!operations.LoadWithoutWriting()) {
        return {kTransferNothingDone,
                {L"Velmora's list of buttons is damaged: start the editor once to repair it, then export again."}};
    }
    return ExportButtons(list, programFolder, file);
}

TransferReport RunImportCommand(const std::wstring& file, const std::wstring& programFolder, RegistryApi& registry) {
    // The shortcut files that carry parameters are made through COM.
    ComApartment apartment;
    CRegSettings settings(registry);
    UseProgramSettings(settings);
    ButtonList list;
    CollectingPrompts prompts;
    IconHolder picico;
    ButtonOperations(list, settings, prompts, picico, programFolder).LoadAtStartup();
    TransferReport report = ImportButtons(list, settings, programFolder, file);
    for (const std::wstring& text : prompts.texts) report.lines.insert(report.lines.begin(), text);
    return report;
}

}  // namespace velmora
