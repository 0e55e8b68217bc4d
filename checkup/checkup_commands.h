// The check and the repair as the command line runs them: the report goes line by line to a sink
// (the console), the answer is the exit code.
#pragma once

#include "common/windows_version.h"
#include "common/exit_code.h"
#include "settings/registry_api.h"

#include <functional>
#include <string>

namespace velmora {

using ReportSink = std::function<void(const std::wstring& line)>;

// "/check": prints the findings; Done when there are none, DoneInPart when there are. On Windows 11
// (build windowsBuild) a note that no browser there shows the buttons comes first; it changes
// nothing in the exit code.
ExitCode RunCheckCommand(const ReportSink& report, const std::wstring& programFolder,
                         RegistryApi& registry = SystemRegistry(), unsigned long windowsBuild = RunningWindowsBuild());
// "/repair": repairs, prints what it did and what remains; Done when nothing remains, DoneInPart
// otherwise.
ExitCode RunRepairCommand(const ReportSink& report, const std::wstring& programFolder,
                          RegistryApi& registry = SystemRegistry());

}  // namespace velmora
