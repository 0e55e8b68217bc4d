// Everything a check looks at in the registry, read once without changing anything: the buttons
// as the editor lists them, and every key of the 20 slots as it is now. A repair keeps the same
// reading as its remembered state, to put back when a write is refused.
#pragma once

#include "buttons/button.h"
#include "buttons/button_records.h"
#include "buttons/file_places.h"
#include "settings/registry_stores.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct StoredButtons {
    // The listed buttons, read as the editor's start-up reads them, and the record each came from.
    std::vector<Button> buttons;
    std::vector<ButtonRecord> records;
    bool earlierVersion = false;            // the list comes from the earlier version's records
    std::optional<std::wstring> countText;  // "Count" of Velmora's own records as stored
    bool countPastSlots = false;            // the listed "Count" is more than the slots: the start-up erases them all
    // Every slot's entry under the current user's root and under the machine's (both views), every
    // slot's record and the key of "Count"; the earlier version's keys too when the list is theirs.
    SettingsSnapshot keys;

    // The remembered key of a slot's entry under a root and view (0 for the current user's root),
    // and of a slot's record; null when it is not there.
    const SettingsSnapshot::Key* Entry(int slot, HKEY root, REGSAM view) const;
    const SettingsSnapshot::Key* Record(int slot) const;
};

StoredButtons ReadStoredButtons(const RegistryStores& stores, const FilePlaces& places);

// A remembered value's text when it is a text; nothing when the key has no such value.
std::optional<std::wstring> KeyText(const SettingsSnapshot::Key& key, const std::wstring& name);

}  // namespace velmora
