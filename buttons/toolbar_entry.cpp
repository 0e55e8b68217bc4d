#include "buttons/toolbar_entry.h"

#include "buttons/button_slots.h"

namespace velmora {

NamedTexts EntryValues(const ToolbarEntry& entry) {
    return {
        {L"Clsid", kToolbarButtonClsid},         {L"ButtonText", entry.buttonText},
        {L"Exec", entry.exec},                   {L"Icon", entry.icon},
        {L"HotIcon", entry.hotIcon},             {L"MenuText", entry.menuText},
        {L"MenuStatusBar", entry.menuStatusBar}, {L"Default Visible", L"Yes"},
    };
}

bool WriteToolbarEntry(CRegSettings& settings, int slot, bool scopeAllUsers, const ToolbarEntry& entry) {
    if (!IsValidSlot(slot)) return false;
    UseBrowserSettings(settings);
    return settings.SaveSettings(ToolbarEntrySection(slot), EntryValues(entry), scopeAllUsers);
}

bool RemoveToolbarEntry(CRegSettings& settings, int slot, bool scopeAllUsers) {
    if (!IsValidSlot(slot)) return true;
    UseBrowserSettings(settings);
    return settings.RemoveSection(ToolbarEntrySection(slot), scopeAllUsers);
}

std::wstring LibraryIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L"gr.ico";
}

std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number) {
    return programFolder + L"icons\\" + std::to_wstring(number) + L".ico";
}

}  // namespace velmora
