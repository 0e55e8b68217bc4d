#include "transfer/transfer_commands.h"

#include "buttons/button_operations.h"
#include "common/module_info.h"
#include "common/unique_handles.h"
#include "transfer/button_export.h"
#include "transfer/button_import.h"

namespace velmora {

TransferReport RunExportCommand(const std::wstring& file, const std::wstring& programFolder, RegistryApi& registry) {
    RegistryStores stores(registry);
    ButtonList list;
    CollectingPrompts prompts;
    ButtonOperations operations(list, stores, prompts, OwnFilePlaces(programFolder));
    if (!operations.LoadWithoutWriting()) {
        return {kTransferNothingDone,
                {L"Velmora's list of buttons is damaged: start the editor once to repair it, then export again."}};
    }
    return ExportButtons(list, operations.filePlaces(), file);
}

TransferReport RunImportCommand(const std::wstring& file, const std::wstring& programFolder, RegistryApi& registry) {
    // The shortcut files that carry parameters are made through COM.
    ComApartment apartment;
    // A file that is refused changes nothing, not even the repairs of the start-up.
    ButtonsInFile found;
    if (std::optional<TransferReport> refused = ReadImportFile(file, found)) return *refused;
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

namespace {

int WriteReport(const TransferReport& report, ScriptReport& script) {
    for (const std::wstring& line : report.lines) script.Line(line);
    return report.outcome;
}

}  // namespace

void UseTransferSwitches(std::vector<ScriptSwitch>& switches) {
    for (ScriptSwitch& entry : switches) {
        if (entry.name == L"export") {
            entry.run = [](const std::wstring& file, ScriptReport& report) {
                return WriteReport(RunExportCommand(file, ProgramFolder()), report);
            };
        } else if (entry.name == L"import") {
            entry.run = [](const std::wstring& file, ScriptReport& report) {
                return WriteReport(RunImportCommand(file, ProgramFolder()), report);
            };
        }
    }
}

}  // namespace velmora
