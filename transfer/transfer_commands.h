// "vlm /export FILE" and "vlm /import FILE": the export and the import without any window, tip,
// notice or message box. The command line's frame writes the report's lines to standard output
// and answers its outcome as the exit code (0 done, 1 done in part, 2 nothing done).
#pragma once

#include "commandline/script_command.h"
#include "settings/registry_api.h"
#include "transfer/transfer_report.h"

#include <string>
#include <vector>

namespace velmora {

// Reads the list from the records as the editor would find it, writing nothing (a damaged store
// is reported, not repaired), and exports it to file.
TransferReport RunExportCommand(const std::wstring& file, const std::wstring& programFolder,
                                RegistryApi& registry = SystemRegistry());

// Loads the list as the editor's start does (with its repairs; a message it would show goes
// into the report) and imports file into it.
TransferReport RunImportCommand(const std::wstring& file, const std::wstring& programFolder,
                                RegistryApi& registry = SystemRegistry());

// Makes vlm's switches "/export FILE" and "/import FILE" run these two, for the program's own
// folder, their report's lines going to the script's report and their outcome being the exit code.
void UseTransferSwitches(std::vector<ScriptSwitch>& switches);

}  // namespace velmora
