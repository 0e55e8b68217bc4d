#include "deleter/delete_all_buttons.h"

#include "buttons/button_records.h"
#include "buttons/button_slots.h"
#include "buttons/toolbar_entry.h"

#include <string>

namespace velmora {

int CountRemainingButtonKeys(CRegSettings& settings) {
    int remaining = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        UseProgramSettings(settings);
        if (settings.SectionExists(ButtonRecordSection(slot), false)) ++remaining;
        UseBrowserSettings(settings);
        if (settings.SectionExists(ToolbarEntrySection(slot), true)) ++remaining;
        if (settings.SectionExists(ToolbarEntrySection(slot), false)) ++remaining;
    }
    return remaining;
}

int DeleteAllAddedButtons(CRegSettings& settings, Prompts& prompts) {
    if (prompts.Message(kConfirmText, kConfirmTitle, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return 0;

    UseProgramSettings(settings);
    settings.DeleteSetting(kAddedButtons, L"Count", false);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RemoveButtonRecord(settings, slot);
        RemoveToolbarEntry(settings, slot, true);
        RemoveToolbarEntry(settings, slot, false);
    }

    // A deletion can be refused (the machine's root needs administrator rights), so success is
    // only claimed for what is really gone.
    const int remaining = CountRemainingButtonKeys(settings);
    if (remaining == 0) {
        prompts.Message(kSuccessText, kSuccessTitle, MB_OK | MB_ICONINFORMATION);
    } else {
        const std::wstring text =
            std::to_wstring(remaining) +
            (remaining == 1 ? L" registry entry of the added buttons could not be removed."
                            : L" registry entries of the added buttons could not be removed.") +
            L"\n\nButtons added for \"All Users\" can only be removed by an administrator. Close this "
            L"program and run it again as an administrator (right-click it and choose \"Run as "
            L"administrator\") to delete the remaining buttons.";
        prompts.Message(text, kRemainTitle, MB_OK | MB_ICONEXCLAMATION);
    }
    return remaining;
}

}  // namespace velmora
