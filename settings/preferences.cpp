#include "settings/preferences.h"

#include <cwchar>
#include <cwctype>

namespace velmora {

const wchar_t* NoticeFlagName(Notice notice) {
    switch (notice) {
    case Notice::AddButton: return L"Restart IE";
    case Notice::Change: return L"Restart IE2";
    case Notice::ProgramIcon: return L"Icon Message";
    case Notice::DragAndDrop: return L"DD Message";
    }
    return L"";
}

bool NoticeWanted(CRegSettings& settings, Notice notice) {
    UseProgramSettings(settings);
    return settings.GetSetting(kMessagesSection, NoticeFlagName(notice), L"yes") == L"yes";
}

void StoreNoticeFlag(CRegSettings& settings, Notice notice, bool showAgain) {
    UseProgramSettings(settings);
    settings.SaveSetting(kMessagesSection, NoticeFlagName(notice), showAgain ? L"yes" : L"no", false);
}

namespace {

// The runtime's own settings store: Software\VB and VBA Program Settings\<program>.
CRegSettings ProgramOptions(RegistryApi& registry, const std::wstring& programName) {
    CRegSettings settings(registry, programName);
    settings.SetCompany(L"");  // the default company, "VB and VBA Program Settings"
    settings.SetAppName(programName);
    return settings;
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
    ProgramOptions(registry, programName).SaveSetting(kOptionsSection, kShowTipsValue, show ? L"1" : L"0", false);
}

}  // namespace velmora
