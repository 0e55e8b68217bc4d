#include "checkup/checkup_commands.h"

#include "checkup/button_check.h"
#include "checkup/button_repair.h"
#include "texts/editor_texts.h"

namespace velmora {

ExitCode RunCheckCommand(const ReportSink& report, const std::wstring& programFolder, RegistryApi& registry,
                         unsigned long windowsBuild) {
    if (LacksInternetExplorer(windowsBuild)) report(kWindows11CheckLine);
    const ButtonCheck check = CheckButtons(registry, OwnFilePlaces(programFolder));
    for (const std::wstring& line : check.ReportLines()) report(line);
    return check.findings.empty() ? ExitCode::Done : ExitCode::DoneInPart;
}

ExitCode RunRepairCommand(const ReportSink& report, const std::wstring& programFolder, RegistryApi& registry) {
    const RepairResult result = RepairButtons(registry, FindFilePlaces(programFolder));
    for (const std::wstring& line : RepairReportLines(result)) report(line);
    return result.after.findings.empty() ? ExitCode::Done : ExitCode::DoneInPart;
}

}  // namespace velmora
