#include "buttons/toolbar_entry.h"

#include "buttons/button_slots.h"

namespace velmora {

void WriteToolbarEntry(CRegSettings& settings, int slot, bool scopeAllUsers, const ToolbarEntry& entry) {
    if (!IsValidSlot(slot)) return;
    UseBrowserSettings(settings);
    const std::wstring section = ToolbarEntrySection(slot);
    settings.SaveSetting(section, L"Clsid", kToolbarButtonClsid, scopeAllUsers);
    settings.SaveSetting(section, L"ButtonText", entry.buttonText, scopeAllUsers);
    settings.SaveSetting(section, L"Exec", entry.exec, scopeAllUsers);
    settings.SaveSetting(section, L"Icon", entry.icon, scopeAllUsers);
    settings.SaveSetting(section, L"HotIcon", entry.hotIcon, scopeAllUsers);
    settings.SaveSetting(section, L"MenuText", entry.menuText, scopeAllUsers);
    settings.SaveSetting(section, L"MenuStatusBar", entry.menuStatusBar, scopeAllUsers);
    settings.SaveSetting(section, L"Default Visible", L"Yes", scopeAllUsers);
}

void RemoveToolbarEntry(CRegSettings& settings, int slot, bool scopeAllUsers) {
    if (!IsValidSlot(slot)) return;
    UseBrowserSettings(settings);
    settings.DeleteSetting(ToolbarEntrySection(slot), L"", scopeAllUsers);
}

std::wstring LibraryIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L"gr.ico";
}

std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L".ico";
}

}  // namespace velmora
