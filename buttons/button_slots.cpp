#include "buttons/button_slots.h"

namespace velmora {

// Written to the registry exactly as they stand, mixed case included.
const std::array<const wchar_t*, kSlotCount> ButtonSlotIds = {
    L"{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}", L"{D7C9BA79-A8C8-442e-B239-6C571815DBD4}",
    L"{49A4746B-488B-4843-9C66-F8C97464CF19}", L"{46FBD990-906E-4cd1-83EB-0523EE60006B}",
    L"{C5D305B0-431B-45d3-8E07-707D1F36AF0D}", L"{36C2D576-631E-44c6-90B4-4EBE9646DA53}",
    L"{9AC215C7-785A-4120-9DDA-07947660B96E}", L"{E9C2CFFF-F604-4b31-B2F5-A199A6802A21}",
    L"{3FC82BF6-B94C-4429-966D-E571851920E4}", L"{52D114BB-CA74-4543-94F1-096A4796F328}",
    L"{C79C9299-0319-4826-866C-BD3EB9C25347}", L"{ABE91789-DE43-48ed-B86D-05EA44906874}",
    L"{13811E0F-10D8-4a13-BDBE-F7ED1ADE555F}", L"{B795CC52-CE72-4ac9-8CF9-889BD6D74403}",
    L"{8AFEC2AD-0DBE-4d7e-8BFE-5C9283A868E2}", L"{A3AFECCE-6B9C-425c-A4BC-39793A137B8C}",
    L"{F12178D3-84E6-43bf-AC07-B074D2094ADB}", L"{98B54D33-C7BF-488f-A930-DB53F881A625}",
    L"{99AB8591-14C5-4616-A5D9-CBE9B757AF70}", L"{28980DE8-9D4C-4fb0-8FB4-95B1FA4125AC}",
};

std::wstring ToolbarEntrySection(int slot) {
    return std::wstring(L"Extensions\\") + ButtonSlotIds.at(slot);
}

std::wstring ButtonRecordSection(int slot) {
    return std::wstring(L"Added Buttons\\") + ButtonSlotIds.at(slot);
}

}  // namespace velmora
