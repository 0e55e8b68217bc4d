// "vlm /export FILE" and "vlm /import FILE": the export and the import without any window, tip,
// notice or message box. The command line writes the report's lines to standard output and
// answers its outcome as the exit code.
#pragma once

#include "settings/registry_api.h"
#include "transfer/transfer_report.h"

#include <string>
#include <vector>

namespace velmora {

// Reads the list from the records as the editor would find it, writing nothing (a damaged store
// is reported, not repaired), and exports it to file. As "reg export" does, a file that is there
// already is replaced only when replace is set (the switch "/y"); without it nothing is written.
// A file whose folder is not there, or that is a folder, is refused before anything is read.
TransferReport RunExportCommand(const std::wstring& file, const std::wstring& programFolder, bool replace = false,
                                RegistryApi& registry = SystemRegistry());

// Loads the list as the editor's start does (with its repairs; a message it would show goes
// into the report) and imports file into it.
TransferReport RunImportCommand(const std::wstring& file, const std::wstring& programFolder,
                                RegistryApi& registry = SystemRegistry());

}  // namespace velmora
