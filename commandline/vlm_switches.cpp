#include "commandline/vlm_switches.h"

#include "checkup/checkup_commands.h"
#include "common/module_info.h"
#include "transfer/transfer_commands.h"

namespace velmora {

namespace {

ExitCode Written(const TransferReport& transfer, ScriptReport& report) {
    for (const std::wstring& line : transfer.lines) report.Line(line);
    return transfer.outcome;
}

ReportSink LinesTo(ScriptReport& report) {
    return [&report](const std::wstring& line) { report.Line(line); };
}

}  // namespace

// Every switch works on the buttons of the program's own folder and of this machine's registry.
std::vector<ScriptSwitch> VlmSwitches() {
    return {
        {.name = L"export",
         .takesFile = true,
         .takesReplace = true,
         .description = L"Writes the buttons to the registry file FILE; /y replaces a FILE that exists.",
         .run =
             [](const ScriptCommand& command, ScriptReport& report) {
                 return Written(RunExportCommand(command.file, ProgramFolder(), command.replace), report);
             }},
        {.name = L"import",
         .takesFile = true,
         .writes = true,
         .description = L"Adds the buttons in the registry file FILE.",
         .run = [](const ScriptCommand& command,
                   ScriptReport& report) { return Written(RunImportCommand(command.file, ProgramFolder()), report); }},
        {.name = L"check",
         .description = L"Lists what is broken in the buttons.",
         .run = [](const ScriptCommand&,
                   ScriptReport& report) { return RunCheckCommand(LinesTo(report), ProgramFolder()); }},
        {.name = L"repair",
         .writes = true,
         .description = L"Repairs what /check finds broken.",
         .run = [](const ScriptCommand&,
                   ScriptReport& report) { return RunRepairCommand(LinesTo(report), ProgramFolder()); }},
    };
}

}  // namespace velmora
