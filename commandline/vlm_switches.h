// vlm's switches for scripts, in one table: each one's name, arguments, usage line and the code it
// runs. The editor (vlm.exe) and its console companion (vlm.com) both run them from here.
#pragma once

#include "commandline/script_command.h"

namespace velmora {

std::vector<ScriptSwitch> VlmSwitches();

}  // namespace velmora
