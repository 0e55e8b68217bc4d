// The program's own record of every button it added, under the current user's
// Software\Corvale\Velmora\Added Buttons: the value "Count" and one key per slot.
#pragma once

#include "settings/reg_settings.h"
#include "settings/registry_stores.h"

#include <optional>
#include <string>

namespace velmora {

inline constexpr const wchar_t* kAddedButtons = L"Added Buttons";

struct ButtonRecord {
    std::wstring icon;  // "program", "disk" or the library icon number
    // The button's own copy of a disk icon; for a program icon only when its file had to take
    // another name than the program's own. Written only then.
    std::wstring iconFile;
    std::wstring program;  // the file to launch as typed
    std::wstring buttonText;
    std::wstring menuText;
    std::wstring menuStatusBar;
    std::wstring arguments;
    std::wstring link;   // shortcut file that carries the arguments, or empty
    std::wstring scope;  // "Current User" or "All Users"
};

// The leading number of a text, as the stored counts are read: blanks first, then an optional
// sign, digits and fraction; rounded to a whole number (halves to even). No number gives 0.
long long LeadingNumber(const std::wstring& text);

// records is the store of Velmora's records (RegistryStores::records), or of the earlier
// version's (RegistryStores::earlierRecords) for reading.

// "Count" as stored.
long long ReadButtonCount(const CRegSettings& records);
// Writes "Count" as decimal text.
[[nodiscard]] RegistryResult WriteButtonCount(CRegSettings& records, long long count);

// The two orders in which records are written. Both start "Icon", "Icon File" (disk icons, and
// program icons with a file of another name), "Program", "ButtonText", "MenuText",
// "MenuStatusBar"; an add then writes "Arguments", "Link", "Scope", the rewrite of all records
// "Scope", "Arguments", "Link". Readers do not depend on the order.
enum class RecordValueOrder { Add, Rewrite };

// A record's values, named, in the given order ("Icon File" only for disk icons, and for program
// icons whose file has another name than the program's own).
NamedTexts RecordValues(const ButtonRecord& record, RecordValueOrder order);

// Writes the record of a slot in the given order; the writing stops at the first value refused.
[[nodiscard]] RegistryResult WriteButtonRecord(CRegSettings& records, int slot, const ButtonRecord& record,
                                               RecordValueOrder order);

// Reads a slot's record; a missing value is empty, a missing key (or a slot past the last) no
// record at all.
std::optional<ButtonRecord> ReadButtonRecord(const CRegSettings& records, int slot);

// Deletes a slot's record key; succeeds when it is gone (also when it was never there).
[[nodiscard]] RegistryResult RemoveButtonRecord(CRegSettings& records, int slot);

}  // namespace velmora
