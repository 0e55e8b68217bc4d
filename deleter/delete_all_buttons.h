// The deleter's one command: after the user confirms, every slot's record, its browser entry
// under both roots (the machine's in both registry views) and the record count go. Then it checks
// what is really gone and says so.
#pragma once

#include "texts/deleter_texts.h"
#include "common/prompts.h"
#include "settings/registry_stores.h"

namespace velmora {

// Browser entries (either root) and records of the 20 slots that still exist, or exist but cannot
// be opened. An entry under the machine's root counts once, in whichever views it remains.
int CountRemainingButtonKeys(const RegistryStores& stores);

// Asks, deletes and reports. Answers the number of entries and records left behind (0 when all
// went, or when the user said No).
int DeleteAllAddedButtons(RegistryStores& stores, Prompts& prompts);

}  // namespace velmora
