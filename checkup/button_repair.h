// The repair of what a check finds: the entries, records and the count are written again from the
// list through the same write functions as the button operations, with every key remembered
// first; a refused write puts all of them back. The files come after the registry: a missing
// program icon or shortcut is made again where its button names it (a program icon without a name
// of its own in the place of the button's scope), files of Velmora's own that no button uses are
// deleted.
#pragma once

#include "buttons/file_places.h"
#include "checkup/findings.h"
#include "settings/registry_api.h"

#include <string>

namespace velmora {

struct RepairResult {
    ButtonCheck before;                // what the check found before the repair
    ButtonCheck after;                 // what it finds after it: what remains
    bool refused = false;              // a registry write was refused; nothing was changed
    bool administratorNeeded = false;  // refused for want of rights under HKEY_LOCAL_MACHINE
    std::wstring refusedAt;            // the root and view that refused
    bool restored = true;              // after a refusal, every key is as it was
    bool busy = false;                 // another command or operation held the buttons: nothing was done
};

RepairResult RepairButtons(RegistryApi& registry, const FilePlaces& places);
// The same for a program in programFolder (ending in a backslash), with this machine's places
// (FindFilePlaces).
RepairResult RepairButtons(RegistryApi& registry, const std::wstring& programFolder);

// What a repair has to say: what it did (or why it did nothing) and what remains.
std::vector<std::wstring> RepairReportLines(const RepairResult& result);

}  // namespace velmora
