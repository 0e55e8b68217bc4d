#include "buttons/stored_layout.h"

#include "common/file_paths.h"

#include <cmath>

namespace velmora {

// Written to the registry exactly as they stand, mixed case included.
const std::array<const wchar_t*, kSlotCount> ButtonSlotIds = {
    L"{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}", L"{D7C9BA79-A8C8-442e-B239-6C571815DBD4}",
    L"{49A4746B-488B-4843-9C66-F8C97464CF19}", L"{46FBD990-906E-4cd1-83EB-0523EE60006B}",
    L"{C5D305B0-431B-45d3-8E07-707D1F36AF0D}", L"{36C2D576-631E-44c6-90B4-4EBE9646DA53}",
    L"{9AC215C7-785A-4120-9DDA-07947660B96E}", L"{E9C2CFFF-F604-4b31-B2F5-A199A6802A21}",
    L"{3FC82BF6-B94C-4429-966D-E571851920E4}", L"{52D114BB-CA74-4543-94F1-096A4796F328}",
    L"{C79C9299-0319-4826-866C-BD3EB9C25347}", L"{ABE91789-DE43-48ed-B86D-05EA44906874}",
    L"{13811E0F-10D8-4a13-BDBE-F7ED1ADE555F}", L"{B795CC52-CE72-4ac9-8CF9-889BD6D74403}",
    L"{8AFEC2AD-0DBE-4d7e-8BFE-5C9283A868E2}", L"{A3AFECCE-6B9C-425c-A4BC-39793A137B8C}",
    L"{F12178D3-84E6-43bf-AC07-B074D2094ADB}", L"{98B54D33-C7BF-488f-A930-DB53F881A625}",
    L"{99AB8591-14C5-4616-A5D9-CBE9B757AF70}", L"{28980DE8-9D4C-4fb0-8FB4-95B1FA4125AC}",
};

std::wstring ToolbarEntrySection(int slot) {
    return std::wstring(kExtensionsSection) + ButtonSlotIds.at(slot);
}

std::wstring ButtonRecordSection(int slot) {
    return std::wstring(kAddedButtons) + L"\\" + ButtonSlotIds.at(slot);
}

// ---- The browser's toolbar entry ----------------------------------------------------------------

const std::array<EntryField, 6> kEntryFields = {{
    {L"ButtonText", &ToolbarEntry::buttonText, &FoundEntry::buttonText},
    {L"Exec", &ToolbarEntry::exec, &FoundEntry::exec},
    {L"Icon", &ToolbarEntry::icon, &FoundEntry::icon},
    {L"HotIcon", &ToolbarEntry::hotIcon, &FoundEntry::hotIcon},
    {L"MenuText", &ToolbarEntry::menuText, &FoundEntry::menuText},
    {L"MenuStatusBar", &ToolbarEntry::menuStatusBar, &FoundEntry::menuStatusBar},
}};

const wchar_t* EntryValueName(std::wstring ToolbarEntry::*text) {
    for (const EntryField& field : kEntryFields) {
        if (field.written == text) return field.name;
    }
    return L"";
}

NamedTexts EntryValues(const ToolbarEntry& entry) {
    NamedTexts values = {{kEntryClsidValue, kToolbarButtonClsid}};
    for (const EntryField& field : kEntryFields) values.emplace_back(field.name, entry.*field.written);
    values.emplace_back(L"Default Visible", L"Yes");
    return values;
}

RegistryResult WriteToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope, const ToolbarEntry& entry) {
    if (!IsValidSlot(slot)) return {ERROR_INVALID_PARAMETER};
    return browser.SaveSettings(ToolbarEntrySection(slot), EntryValues(entry), ForAllUsers(scope));
}

RegistryResult RemoveToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope) {
    if (!IsValidSlot(slot)) return {};
    return browser.RemoveSection(ToolbarEntrySection(slot), ForAllUsers(scope));
}

// ---- Velmora's record ---------------------------------------------------------------------------

const std::array<RecordField, 9> kRecordFields = {{
    {L"Icon", &ButtonRecord::icon, &FoundRecord::icon},
    {L"Icon File", &ButtonRecord::iconFile, &FoundRecord::iconFile},
    {L"Program", &ButtonRecord::program, &FoundRecord::program},
    {L"ButtonText", &ButtonRecord::buttonText, &FoundRecord::buttonText},
    {L"MenuText", &ButtonRecord::menuText, &FoundRecord::menuText},
    {L"MenuStatusBar", &ButtonRecord::menuStatusBar, &FoundRecord::menuStatusBar},
    {L"Arguments", &ButtonRecord::arguments, &FoundRecord::arguments},
    {L"Link", &ButtonRecord::link, &FoundRecord::link},
    {L"Scope", &ButtonRecord::scope, &FoundRecord::scope},
}};

const wchar_t* RecordValueName(std::wstring ButtonRecord::*text) {
    for (const RecordField& field : kRecordFields) {
        if (field.written == text) return field.name;
    }
    return L"";
}

ButtonRecord WrittenRecord(const FoundRecord& found) {
    ButtonRecord record;
    for (const RecordField& field : kRecordFields) record.*field.written = (found.*field.found).value_or(L"");
    return record;
}

long long LeadingNumber(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';

    double value = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        anyDigit = true;
    }
    if (i < text.size() && text[i] == L'.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, scale /= 10) {
            value += (text[i] - L'0') * scale;
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;
    if (negative) value = -value;
    // Far beyond any count the program keeps; clamped so that arithmetic on it stays defined.
    constexpr double kLimit = 1e15;
    if (value > kLimit) value = kLimit;
    if (value < -kLimit) value = -kLimit;
    return static_cast<long long>(std::nearbyint(value));
}

long long ReadButtonCount(const CRegSettings& records) {
    return LeadingNumber(records.GetSetting(kAddedButtons, kCountValue, L"0"));
}

std::optional<std::wstring> ReadButtonCountText(const CRegSettings& records) {
    return records.GetSettingIfThere(kAddedButtons, kCountValue);
}

RegistryResult WriteButtonCount(CRegSettings& records, long long count) {
    return records.SaveSetting(kAddedButtons, kCountValue, std::to_wstring(count), false);
}

RegistryResult RemoveButtonCount(CRegSettings& records) {
    return records.DeleteSetting(kAddedButtons, kCountValue, false);
}

NamedTexts RecordValues(const ButtonRecord& record, RecordValueOrder order) {
    auto named = [&record](std::wstring ButtonRecord::*text) {
        return std::pair<const wchar_t*, std::wstring>{RecordValueName(text), record.*text};
    };
    NamedTexts values = {named(&ButtonRecord::icon)};
    if (record.icon == kRecordIconDisk || (record.icon == kRecordIconProgram && !record.iconFile.empty())) {
        values.push_back(named(&ButtonRecord::iconFile));
    }
    for (auto text :
         {&ButtonRecord::program, &ButtonRecord::buttonText, &ButtonRecord::menuText, &ButtonRecord::menuStatusBar}) {
        values.push_back(named(text));
    }
    if (order == RecordValueOrder::Rewrite) values.push_back(named(&ButtonRecord::scope));
    values.push_back(named(&ButtonRecord::arguments));
    values.push_back(named(&ButtonRecord::link));
    if (order == RecordValueOrder::Add) values.push_back(named(&ButtonRecord::scope));
    return values;
}

RegistryResult WriteButtonRecord(CRegSettings& records, int slot, const ButtonRecord& record, RecordValueOrder order) {
    if (!IsValidSlot(slot)) return {ERROR_INVALID_PARAMETER};
    return records.SaveSettings(ButtonRecordSection(slot), RecordValues(record, order), false);
}

RegistryResult RemoveRecordValue(CRegSettings& records, int slot, std::wstring ButtonRecord::*text) {
    if (!IsValidSlot(slot)) return {ERROR_INVALID_PARAMETER};
    return records.DeleteSetting(ButtonRecordSection(slot), RecordValueName(text), false);
}

std::optional<bool> RecordValueWasThere(const CRegSettings& records, const SettingsSnapshot& snapshot, int slot,
                                        std::wstring ButtonRecord::*text) {
    if (!IsValidSlot(slot)) return std::nullopt;
    return records.RememberedValueThere(snapshot, ButtonRecordSection(slot), RecordValueName(text));
}

std::optional<ButtonRecord> ReadButtonRecord(const CRegSettings& records, int slot) {
    if (!IsValidSlot(slot)) return std::nullopt;
    std::array<const wchar_t*, kRecordFields.size()> names{};
    for (size_t i = 0; i < names.size(); ++i) names[i] = kRecordFields[i].name;
    std::optional<std::vector<std::wstring>> read = records.GetSettingsIfThere(ButtonRecordSection(slot), names);
    if (!read) return std::nullopt;
    ButtonRecord record;
    for (size_t i = 0; i < names.size(); ++i) record.*kRecordFields[i].written = std::move((*read)[i]);
    return record;
}

RegistryResult RemoveButtonRecord(CRegSettings& records, int slot) {
    if (!IsValidSlot(slot)) return {};
    return records.RemoveSection(ButtonRecordSection(slot), false);
}

bool EarlierRecordsFound(const RegistryStores& stores) {
    return ReadButtonCountText(stores.earlierRecords).has_value();
}

RegistryResult RemoveEarlierRecords(RegistryStores& stores) {
    return stores.earlierRecords.DeleteSetting(L"", L"", false);
}

// ---- The files Velmora made ----------------------------------------------------------------------

namespace {
constexpr const wchar_t* kMadeFiles = L"Made Files";
}  // namespace

RegistryResult NoteMadeFile(CRegSettings& records, const std::wstring& path) {
    const std::wstring full = FullPath(path);
    if (full.empty()) return {ERROR_INVALID_PARAMETER};
    return records.SaveSetting(kMadeFiles, full, L"", false);
}

RegistryResult ForgetMadeFile(CRegSettings& records, const std::wstring& path) {
    const std::wstring full = FullPath(path);
    if (full.empty() || !records.GetSettingIfThere(kMadeFiles, full)) return {};
    return records.DeleteSetting(kMadeFiles, full, false);
}

std::vector<std::wstring> MadeFiles(const CRegSettings& records) {
    std::vector<std::wstring> files;
    for (const auto& [name, text] : records.GetAllSettings(kMadeFiles)) files.push_back(name);
    return files;
}

bool IsMadeFile(const std::vector<std::wstring>& madeFiles, const std::wstring& path) {
    const std::wstring full = FullPath(path);
    for (const std::wstring& made : madeFiles) {
        if (!full.empty() && SamePathText(made, full)) return true;
    }
    return false;
}

// ---- Every slot at once -------------------------------------------------------------------------

RewriteResult WriteSlots(RegistryStores& stores, int first, std::span<const SlotContents> buttons, bool withCount) {
    RewriteResult result;
    const long long count = first + static_cast<long long>(buttons.size());
    for (int i = 0; i < static_cast<int>(buttons.size()) && IsValidSlot(first + i); ++i) {
        const int slot = first + i;
        const SlotContents& button = buttons[i];
        const RegistryResult entryWritten = WriteToolbarEntry(stores.browser, slot, button.scope, button.entry);
        // "Count" takes the number of buttons once, after the first entry: writing it again for
        // every slot would store the same text each time.
        RegistryResult countWritten;
        if (withCount && i == 0) countWritten = WriteButtonCount(stores.records, count);
        const RegistryResult recordWritten =
            countWritten.Then(WriteButtonRecord(stores.records, slot, button.record, RecordValueOrder::Rewrite));
        const RegistryResult slotWritten = entryWritten.Then(recordWritten);
        if (!slotWritten && result.firstRefusedSlot < 0) {
            result.firstRefusedSlot = slot;
            result.firstFailure = slotWritten;
        }
        result.entriesWritten = result.entriesWritten && entryWritten;
        result.recordsWritten = result.recordsWritten && recordWritten;
    }
    return result;
}

void EraseEverySlot(RegistryStores& stores) {
    // Best effort: a slot that refuses does not stop the others.
    static_cast<void>(RemoveButtonCount(stores.records));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        static_cast<void>(RemoveButtonRecord(stores.records, slot));
        static_cast<void>(RemoveToolbarEntry(stores.browser, slot, ButtonScope::AllUsers));
        static_cast<void>(RemoveToolbarEntry(stores.browser, slot, ButtonScope::CurrentUser));
    }
}

const SettingsSnapshot::Key* StoredSlots::Entry(int slot, HKEY root, REGSAM view) const {
    if (!IsValidSlot(slot)) return nullptr;
    const SettingsSnapshot::Key* key = keys.Find(root, view, kBrowserKey + ToolbarEntrySection(slot));
    return key && key->existed ? key : nullptr;
}

const SettingsSnapshot::Key* StoredSlots::Record(int slot) const {
    if (!IsValidSlot(slot)) return nullptr;
    const SettingsSnapshot::Key* key = keys.Find(HKEY_CURRENT_USER, 0, kProgramKey + ButtonRecordSection(slot));
    return key && key->existed ? key : nullptr;
}

StoredSlots ReadStoredSlots(const RegistryStores& stores) {
    StoredSlots stored;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        stores.browser.Remember(stored.keys, ToolbarEntrySection(slot), false);
        stores.browser.Remember(stored.keys, ToolbarEntrySection(slot), true);
        stores.records.Remember(stored.keys, ButtonRecordSection(slot), false);
    }
    stores.records.Remember(stored.keys, kAddedButtons, false);
    if (const SettingsSnapshot::Key* counted =
            stored.keys.Find(HKEY_CURRENT_USER, 0, std::wstring(kProgramKey) + kAddedButtons)) {
        stored.countText = KeyText(*counted, kCountValue);
    }
    stored.earlierVersion = EarlierRecordsFound(stores);
    if (stored.earlierVersion) {
        const CRegSettings& earlier = stores.earlierRecords;
        earlier.Remember(stored.keys, L"", false);
        earlier.Remember(stored.keys, kAddedButtons, false);
        for (int slot = 0; slot < kSlotCount; ++slot) earlier.Remember(stored.keys, ButtonRecordSection(slot), false);
    }
    return stored;
}

std::optional<std::wstring> KeyText(const SettingsSnapshot::Key& key, const std::wstring& name) {
    for (const SettingsSnapshot::Value& value : key.values) {
        if (SamePathText(value.name, name)) return SettingsSnapshot::Text(value);
    }
    return std::nullopt;
}

FoundEntry FoundEntryOf(const SettingsSnapshot::Key& key) {
    return FoundEntryOf([&key](const wchar_t* name) { return KeyText(key, name); });
}

FoundRecord FoundRecordOf(const SettingsSnapshot::Key& key) {
    return FoundRecordOf([&key](const wchar_t* name) { return KeyText(key, name); });
}

}  // namespace velmora
