#include "buttons/toolbar_entry.h"

#include "buttons/button_slots.h"

namespace velmora {

NamedTexts EntryValues(const ToolbarEntry& entry) {
    return {
        {L"Clsid", kToolbarButtonClsid},
        {L"ButtonText", entry.buttonText},
        {L"Exec", entry.exec},
        {L"Icon", entry.icon},
        {L"HotIcon", entry.hotIcon},
        {L"MenuText", entry.menuText},
        {L"MenuStatusBar", entry.menuStatusBar},
        {L"Default Visible", L"Yes"},
    };
}

RegistryResult WriteToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope, const ToolbarEntry& entry) {
    if (!IsValidSlot(slot)) return {ERROR_INVALID_PARAMETER};
    return browser.SaveSettings(ToolbarEntrySection(slot), EntryValues(entry), ForAllUsers(scope));
}

RegistryResult RemoveToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope) {
    if (!IsValidSlot(slot)) return {};
    return browser.RemoveSection(ToolbarEntrySection(slot), ForAllUsers(scope));
}

std::wstring LibraryIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L"gr.ico";
}

std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L".ico";
}

}  // namespace velmora
