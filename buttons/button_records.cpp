#include "buttons/button_records.h"

#include "buttons/button_slots.h"

#include <cmath>
#include <cwctype>
#include <vector>

namespace velmora {

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
    return LeadingNumber(records.GetSetting(kAddedButtons, L"Count", L"0"));
}

RegistryResult WriteButtonCount(CRegSettings& records, long long count) {
    return records.SaveSetting(kAddedButtons, L"Count", std::to_wstring(count), false);
}

NamedTexts RecordValues(const ButtonRecord& record, RecordValueOrder order) {
    NamedTexts values = {{L"Icon", record.icon}};
    if (record.icon == L"disk" || (record.icon == L"program" && !record.iconFile.empty())) {
        values.emplace_back(L"Icon File", record.iconFile);
    }
    values.insert(values.end(), {{L"Program", record.program},
                                 {L"ButtonText", record.buttonText},
                                 {L"MenuText", record.menuText},
                                 {L"MenuStatusBar", record.menuStatusBar}});
    if (order == RecordValueOrder::Rewrite) values.emplace_back(L"Scope", record.scope);
    values.insert(values.end(), {{L"Arguments", record.arguments}, {L"Link", record.link}});
    if (order == RecordValueOrder::Add) values.emplace_back(L"Scope", record.scope);
    return values;
}

RegistryResult WriteButtonRecord(CRegSettings& records, int slot, const ButtonRecord& record, RecordValueOrder order) {
    if (!IsValidSlot(slot)) return {ERROR_INVALID_PARAMETER};
    return records.SaveSettings(ButtonRecordSection(slot), RecordValues(record, order), false);
}

std::optional<ButtonRecord> ReadButtonRecord(const CRegSettings& records, int slot) {
    if (!IsValidSlot(slot)) return std::nullopt;
    ButtonRecord record;
    static constexpr const wchar_t* kNames[] = {L"Icon",          L"Icon File", L"Program", L"ButtonText", L"MenuText",
                                                L"MenuStatusBar", L"Arguments", L"Link",    L"Scope"};
    std::optional<std::vector<std::wstring>> read = records.GetSettingsIfThere(ButtonRecordSection(slot), kNames);
    if (!read) return std::nullopt;
    std::vector<std::wstring>& texts = *read;
    record.icon = std::move(texts[0]);
    record.iconFile = std::move(texts[1]);
    record.program = std::move(texts[2]);
    record.buttonText = std::move(texts[3]);
    record.menuText = std::move(texts[4]);
    record.menuStatusBar = std::move(texts[5]);
    record.arguments = std::move(texts[6]);
    record.link = std::move(texts[7]);
    record.scope = std::move(texts[8]);
    return record;
}

RegistryResult RemoveButtonRecord(CRegSettings& records, int slot) {
    if (!IsValidSlot(slot)) return {};
    return records.RemoveSection(ButtonRecordSection(slot), false);
}

}  // namespace velmora
