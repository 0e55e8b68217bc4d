#include "checkup/stored_buttons.h"

#include "buttons/button_operations.h"

namespace velmora {

StoredButtons ReadStoredButtons(const RegistryStores& stores, const FilePlaces& places) {
    StoredButtons stored;
    stored.slotKeys = ReadStoredSlots(stores);
    stored.madeFiles = MadeFiles(stores.records);
    // The list, as the start-up reads it: the earlier version's records when they are there.
    const CRegSettings& records = stored.earlierVersion() ? stores.earlierRecords : stores.records;
    const long long count = ReadButtonCount(records);
    stored.countPastSlots = count > kSlotCount;
    for (int slot = 0; !stored.countPastSlots && slot < count; ++slot) {
        std::optional<ButtonRecord> record = ReadButtonRecord(records, slot);
        if (!record) continue;
        stored.buttons.push_back(ListedButton(*record, places));
        stored.records.push_back(std::move(*record));
        stored.slots.push_back(slot);
    }
    return stored;
}

}  // namespace velmora
