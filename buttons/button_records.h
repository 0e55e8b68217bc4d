// The program's own record of every button it added, under the current user's
// Software\Corvale\Velmora\Added Buttons: the value "Count" and one key per slot.
#pragma once

#include "settings/reg_settings.h"

#include <optional>
#include <string>

namespace velmora {

inline constexpr const wchar_t* kAppName = L"Velmora";
inline constexpr const wchar_t* kCompany = L"Corvale";
inline constexpr const wchar_t* kAddedButtons = L"Added Buttons";
inline constexpr const wchar_t* kScopeAllUsers = L"All Users";
inline constexpr const wchar_t* kScopeCurrentUser = L"Current User";

struct ButtonRecord {
    std::wstring icon;      // "program", "disk" or the library icon number
    // The button's own copy of a disk icon; for a program icon only when its file had to take
    // another name than the program's own. Written only then.
    std::wstring iconFile;
    std::wstring program;   // the file to launch as typed
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

// "Count" as stored, read through settings with whatever application name it has.
long long ReadButtonCount(CRegSettings& settings);
// Writes "Count" under Velmora as decimal text.
// Writes "Count" under Velmora as decimal text; answers whether it was written.
bool WriteButtonCount(CRegSettings& settings, long long count);

// The two orders in which records are written. Both start "Icon", "Icon File" (disk icons, and
// program icons with a file of another name), "Program", "ButtonText", "MenuText",
// "MenuStatusBar"; an add then writes "Arguments", "Link", "Scope", the rewrite of all records
// "Scope", "Arguments", "Link". Readers do not depend on the order.
enum class RecordValueOrder { Add, Rewrite };

// A record's values, named, in the given order ("Icon File" only for disk icons, and for program
// icons whose file has another name than the program's own).
NamedTexts RecordValues(const ButtonRecord& record, RecordValueOrder order);

// Writes the record of a slot under Velmora in the given order.
bool WriteButtonRecord(CRegSettings& settings, int slot, const ButtonRecord& record, RecordValueOrder order);

// Reads a slot's record under the application name settings has now; a missing value is empty,
// a missing key (or a slot past the last) no record at all.
std::optional<ButtonRecord> ReadButtonRecord(const CRegSettings& settings, int slot);

// Deletes a slot's record key under Velmora.
bool RemoveButtonRecord(CRegSettings& settings, int slot);

}  // namespace velmora
