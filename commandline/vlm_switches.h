// The switches of the editor's command line and the code each one runs.
#pragma once

#include "commandline/script_command.h"

namespace velmora {

std::vector<ScriptSwitch> VlmSwitches();

// A handler for a switch whose code is still to come: says so and does nothing.
ScriptHandler NotAvailableYet(const std::wstring& name);

}  // namespace velmora
