// The registry stores both programs address, each through a CRegSettings made once for its own
// key and never pointed elsewhere, so that every call names the store it reads or writes.
#pragma once

#include "settings/reg_settings.h"

namespace velmora {

inline constexpr const wchar_t* kCompany = L"Corvale";
inline constexpr const wchar_t* kAppName = L"Velmora";
inline constexpr const wchar_t* kEarlierAppName = L"Velmora 1.2";

struct RegistryStores {
    explicit RegistryStores(RegistryApi& registry = SystemRegistry())
        : browser(SettingsStore(registry, L"Microsoft", L"Internet Explorer")),
          records(SettingsStore(registry, kCompany, kAppName)),
          earlierRecords(SettingsStore(registry, kCompany, kEarlierAppName)),
          preferences(SettingsStore(registry, kCompany, kAppName)) {}

    CRegSettings browser;         // Software\Microsoft\Internet Explorer: the toolbar entries
    CRegSettings records;         // Software\Corvale\Velmora: the records of the added buttons
    CRegSettings earlierRecords;  // Software\Corvale\Velmora 1.2: records an earlier version left
    CRegSettings preferences;     // Software\Corvale\Velmora: the notice flags under "Messages"
};

}  // namespace velmora
