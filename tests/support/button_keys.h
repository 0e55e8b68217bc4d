// The registry keys that hold the buttons, for looking at them directly: the program's records
// and the browser's toolbar entries, one key per slot.
#pragma once

#include "buttons/stored_layout.h"

#include <string>

namespace velmora::testing {

inline const std::wstring kVelmoraKey = L"Software\\Corvale\\Velmora";
inline const std::wstring kRecordsKey = L"Software\\Corvale\\Velmora\\Added Buttons";
inline const std::wstring kExtensionsKey = L"Software\\Microsoft\\Internet Explorer\\Extensions\\";

// The values of a record, as the tests list them.
inline const wchar_t* const kRecordValueNames[] = {
    L"Icon", L"Icon File", L"Program", L"ButtonText", L"MenuText", L"MenuStatusBar", L"Arguments", L"Link", L"Scope"};

inline std::wstring EntryKey(int slot) {
    return kExtensionsKey + ButtonSlotIds[slot];
}
// A slot's record below the application key appKey; slot -1: the key of all records ("Count").
inline std::wstring RecordKey(int slot, const std::wstring& appKey = kVelmoraKey) {
    return appKey + L"\\Added Buttons" + (slot < 0 ? L"" : L"\\" + std::wstring(ButtonSlotIds[slot]));
}

}  // namespace velmora::testing
