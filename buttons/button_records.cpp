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

long long ReadButtonCount(CRegSettings& settings) {
    return LeadingNumber(settings.GetSetting(kAddedButtons, L"Count", L"0"));
}

bool WriteButtonCount(CRegSettings& settings, long long count) {
    UseProgramSettings(settings);
    return settings.SaveSetting(kAddedButtons, L"Count", std::to_wstring(count), false);
}

bool WriteButtonRecord(CRegSettings& settings, int slot, const ButtonRecord& record, RecordValueOrder order) {
    if (!IsValidSlot(slot)) return false;
    UseProgramSettings(settings);
    const std::wstring section = ButtonRecordSection(slot);
    std::vector<std::pair<const wchar_t*, std::wstring>> values = {{L"Icon", record.icon}};
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
    // The writing stops at the first value refused.
    for (const auto& [name, text] : values) {
        if (!settings.SaveSetting(section, name, text, false)) return false;
    }
    return true;
}

ButtonRecord ReadButtonRecord(const CRegSettings& settings, int slot) {
    ButtonRecord record;
    if (!IsValidSlot(slot)) return record;
    const std::wstring section = ButtonRecordSection(slot);
    record.icon = settings.GetSetting(section, L"Icon");
    record.iconFile = settings.GetSetting(section, L"Icon File");
    record.program = settings.GetSetting(section, L"Program");
    record.buttonText = settings.GetSetting(section, L"ButtonText");
    record.menuText = settings.GetSetting(section, L"MenuText");
    record.menuStatusBar = settings.GetSetting(section, L"MenuStatusBar");
    record.arguments = settings.GetSetting(section, L"Arguments");
    record.link = settings.GetSetting(section, L"Link");
    record.scope = settings.GetSetting(section, L"Scope");
    return record;
}

bool RemoveButtonRecord(CRegSettings& settings, int slot) {
    if (!IsValidSlot(slot)) return true;
    UseProgramSettings(settings);
    const std::wstring section = ButtonRecordSection(slot);
    settings.DeleteSetting(section, L"", false);
    return !settings.SectionExists(section, false);
}

}  // namespace velmora
