#include "deleter/delete_all_buttons.h"

#include "buttons/stored_layout.h"

#include <string>

namespace velmora {

int CountRemainingButtonKeys(const RegistryStores& stores) {
    int remaining = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (stores.records.SectionExists(ButtonRecordSection(slot), false)) ++remaining;
        if (stores.browser.SectionExists(ToolbarEntrySection(slot), true)) ++remaining;
        if (stores.browser.SectionExists(ToolbarEntrySection(slot), false)) ++remaining;
    }
    return remaining;
}

int DeleteAllAddedButtons(RegistryStores& stores, Prompts& prompts) {
    if (prompts.Message(kConfirmText, kConfirmTitle, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return 0;

    // Every deletion is tried, whatever the one before it came to. A deletion can be refused (the
    // machine's root needs administrator rights), so success is only claimed for what is really
    // gone, counted afterwards.
    EraseEverySlot(stores);
    const int remaining = CountRemainingButtonKeys(stores);
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
