// The 20 button slots. Slot i of the browser's toolbar entries and of the program's records is
// named by ButtonSlotIds[i]; the button in row p of the list (counting from 1) is in slot p - 1.
// Both programs link this one table, so the editor and the deleter always agree on it.
#pragma once

#include <array>
#include <string>

namespace velmora {

inline constexpr int kSlotCount = 20;

extern const std::array<const wchar_t*, kSlotCount> ButtonSlotIds;

inline bool IsValidSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

// Section of a slot's toolbar entry below Software\Microsoft\Internet Explorer.
std::wstring ToolbarEntrySection(int slot);

// Section of a slot's record below Software\Corvale\Velmora.
std::wstring ButtonRecordSection(int slot);

}  // namespace velmora
