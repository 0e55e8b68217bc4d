#include "checkup/stored_buttons.h"

#include "buttons/button_operations.h"
#include "buttons/button_slots.h"
#include "common/file_paths.h"

#include <cstring>

namespace velmora {

namespace {

// The snapshot's keys are remembered in this order, slot by slot: the entry under the current
// user's root, under the machine's root in its two views, then the record.
constexpr size_t kKeysPerSlot = 4;

const SettingsSnapshot::Key* Existing(const SettingsSnapshot& keys, size_t index) {
    if (index >= keys.keys().size()) return nullptr;
    const SettingsSnapshot::Key& key = keys.keys()[index];
    return key.existed ? &key : nullptr;
}

}  // namespace

const SettingsSnapshot::Key* StoredButtons::Entry(int slot, HKEY root, REGSAM view) const {
    if (!IsValidSlot(slot)) return nullptr;
    const size_t offset = root != HKEY_LOCAL_MACHINE ? 0 : view == KEY_WOW64_32KEY ? 2 : 1;
    return Existing(keys, slot * kKeysPerSlot + offset);
}

const SettingsSnapshot::Key* StoredButtons::Record(int slot) const {
    if (!IsValidSlot(slot)) return nullptr;
    return Existing(keys, slot * kKeysPerSlot + 3);
}

std::optional<std::wstring> KeyText(const SettingsSnapshot::Key& key, const std::wstring& name) {
    for (const SettingsSnapshot::Value& value : key.values) {
        if (!SamePathText(value.name, name)) continue;
        if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return std::wstring();
        std::wstring text(value.data.size() / sizeof(wchar_t), L'\0');
        if (!text.empty()) std::memcpy(text.data(), value.data.data(), text.size() * sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
    return std::nullopt;
}

StoredButtons ReadStoredButtons(const RegistryStores& stores, const FilePlaces& places) {
    StoredButtons stored;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        stores.browser.Remember(stored.keys, ToolbarEntrySection(slot), false);
        stores.browser.Remember(stored.keys, ToolbarEntrySection(slot), true);
        stores.records.Remember(stored.keys, ButtonRecordSection(slot), false);
    }
    stores.records.Remember(stored.keys, kAddedButtons, false);
    stored.countText = KeyText(stored.keys.keys().back(), L"Count");

    // The list, as the start-up reads it: the earlier version's records when they are there.
    stored.earlierVersion = stores.earlierRecords.GetSettingIfThere(kAddedButtons, L"Count").has_value();
    const CRegSettings& records = stored.earlierVersion ? stores.earlierRecords : stores.records;
    if (stored.earlierVersion) {
        records.Remember(stored.keys, L"", false);
        records.Remember(stored.keys, kAddedButtons, false);
        for (int slot = 0; slot < kSlotCount; ++slot) records.Remember(stored.keys, ButtonRecordSection(slot), false);
    }
    const long long count = ReadButtonCount(records);
    stored.countPastSlots = count > kSlotCount;
    for (int slot = 0; !stored.countPastSlots && slot < count; ++slot) {
        std::optional<ButtonRecord> record = ReadButtonRecord(records, slot);
        if (!record) continue;
        stored.buttons.push_back(ListedButton(*record, places));
        stored.records.push_back(std::move(*record));
    }
    return stored;
}

}  // namespace velmora
