// Everything a check looks at in the registry, read once without changing anything: the buttons
// as the editor lists them, and every key of the 20 slots as it is now. A repair keeps the same
// reading as its remembered state, to put back when a write is refused.
#pragma once

#include "buttons/button.h"
#include "buttons/file_places.h"
#include "buttons/stored_layout.h"
#include "settings/registry_stores.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct StoredButtons {
    // The listed buttons, read as the editor's start-up reads them, and the record each came from.
    std::vector<Button> buttons;
    std::vector<ButtonRecord> records;
    std::vector<int> slots;               // the slot each listed button's record is in
    bool countPastSlots = false;          // the listed count is more than the slots: the start-up erases them all
    StoredSlots slotKeys;                 // every key of the slots as it was read
    std::vector<std::wstring> madeFiles;  // the files Velmora made for this account

    bool earlierVersion() const { return slotKeys.earlierVersion; }
    const std::optional<std::wstring>& countText() const { return slotKeys.countText; }
    const SettingsSnapshot& keys() const { return slotKeys.keys; }
    const SettingsSnapshot::Key* Entry(int slot, HKEY root, REGSAM view) const {
        return slotKeys.Entry(slot, root, view);
    }
    const SettingsSnapshot::Key* Record(int slot) const { return slotKeys.Record(slot); }
};

StoredButtons ReadStoredButtons(const RegistryStores& stores, const FilePlaces& places);

}  // namespace velmora
