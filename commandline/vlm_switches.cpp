#include "commandline/vlm_switches.h"

namespace velmora {

// Each switch's code plugs in here: its handler in place of NotAvailableYet.
std::vector<ScriptSwitch> VlmSwitches() {
    return {
        {L"export", true, L"Writes the buttons to the registry file FILE.", NotAvailableYet(L"export")},
        {L"import", true, L"Adds the buttons in the registry file FILE.", NotAvailableYet(L"import")},
        {L"check", false, L"Lists what is broken in the buttons.", NotAvailableYet(L"check")},
        {L"repair", false, L"Repairs what /check finds broken.", NotAvailableYet(L"repair")},
    };
}

ScriptHandler NotAvailableYet(const std::wstring& name) {
    return [name](const std::wstring&, ScriptReport& report) {
        report.Line(L"/" + name + L" is not available yet.");
        return int{kScriptNothingDone};
    };
}

}  // namespace velmora
