#include "settings/preferences.h"

#include <cwchar>
#include <cwctype>

namespace velmora {

const wchar_t* NoticeFlagName(Notice notice) {
    switch (notice) {
    case Notice::AddButton:
        return L"Restart IE";
    case Notice::Change:
        return L"Restart IE2";
    case Notice::ProgramIcon:
        return L"Icon Message";
    case Notice::DragAndDrop:
        return L"DD Message";
    case Notice::Windows11:
        return L"Windows 11 Message";
    }
    return L"";
}

bool NoticeWanted(const CRegSettings& preferences, Notice notice) {
    return preferences.GetSetting(kMessagesSection, NoticeFlagName(notice), L"yes") == L"yes";
}

void StoreNoticeFlag(CRegSettings& preferences, Notice notice, bool showAgain) {
    static_cast<void>(
        preferences.SaveSetting(kMessagesSection, NoticeFlagName(notice), showAgain ? L"yes" : L"no", false));
}

namespace {

// The runtime's own settings store: Software\VB and VBA Program Settings\<program>.
CRegSettings ProgramOptions(RegistryApi& registry, const std::wstring& programName) {
    return SettingsStore(registry, CRegSettings::kDefaultCompany, programName.c_str());
}

}  // namespace

bool ReadShowTipsAtStartup(RegistryApi& registry, const std::wstring& programName) {
    const std::wstring text = ProgramOptions(registry, programName).GetSetting(kOptionsSection, kShowTipsValue, L"1");
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(start, &end, 10);
    bool whole = end != start && std::iswdigit(end[-1]);
    for (const wchar_t* rest = end; whole && *rest; ++rest) whole = *rest == L' ';
    return whole ? value != 0 : true;
}

void StoreShowTipsAtStartup(RegistryApi& registry, const std::wstring& programName, bool show) {
    // A refused write leaves the switch as it was; the next start shows what is stored.
    static_cast<void>(
        ProgramOptions(registry, programName).SaveSetting(kOptionsSection, kShowTipsValue, show ? L"1" : L"0", false));
}

}  // namespace velmora
