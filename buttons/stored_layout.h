// How Velmora's buttons are stored in the registry, in one place: the 20 slots, the browser's
// toolbar entry of a slot under the current user's or the machine's root (both views there), the
// program's own record of a slot, "Count", the records an earlier version left, the list of files
// Velmora made, and the key paths a registry file names them by. Everything that reads, writes or
// erases these keys goes through here, so that each name is spelt once.
//
// Both programs use it: the editor for all of it, the deleter to erase every slot.
#pragma once

#include "buttons/button.h"
#include "settings/reg_settings.h"
#include "settings/registry_stores.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// ---- The slots ----------------------------------------------------------------------------------

inline constexpr int kSlotCount = 20;

// Slot i of the browser's toolbar entries and of the records is named by ButtonSlotIds[i]; the
// button in row p of the list (counting from 1) is in slot p - 1.
extern const std::array<const wchar_t*, kSlotCount> ButtonSlotIds;

inline bool IsValidSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

// Section of a slot's toolbar entry below Software\Microsoft\Internet Explorer.
std::wstring ToolbarEntrySection(int slot);
// Section of a slot's record below Software\Corvale\Velmora.
std::wstring ButtonRecordSection(int slot);
// The section of the records and "Count" below Software\Corvale\Velmora.
inline constexpr const wchar_t* kAddedButtons = L"Added Buttons";
// The name of the count of records, as the texts that report on it quote it.
inline constexpr const wchar_t* kCountValue = L"Count";

// The same keys as a registry file names them: the roots, and below a root the browser's key (the
// machine's 64-bit view, and the current user's only key), the same seen by 32-bit programs, and
// the program's own key. Each ends in a backslash.
inline constexpr const wchar_t* kCurrentUserRoot = L"HKEY_CURRENT_USER";
inline constexpr const wchar_t* kMachineRoot = L"HKEY_LOCAL_MACHINE";
inline constexpr const wchar_t* kBrowserKey = L"Software\\Microsoft\\Internet Explorer\\";
inline constexpr const wchar_t* kBrowserKey32 = L"Software\\Wow6432Node\\Microsoft\\Internet Explorer\\";
inline constexpr const wchar_t* kProgramKey = L"Software\\Corvale\\Velmora\\";
// The section below the browser's key that holds every slot's entry, ending in a backslash.
inline constexpr const wchar_t* kExtensionsSection = L"Extensions\\";

// ---- The browser's toolbar entry ----------------------------------------------------------------

inline constexpr const wchar_t* kToolbarButtonClsid = L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}";

// The texts of an entry, as written (Text = std::wstring) or as found (std::optional: a value that
// is not there).
template <class Text>
struct EntryTexts {
    Text buttonText;
    Text exec;  // file to launch as typed, or the shortcut file that carries parameters
    Text icon;  // cold (normal) icon file
    Text hotIcon;
    Text menuText;
    Text menuStatusBar;
};
using ToolbarEntry = EntryTexts<std::wstring>;
using FoundEntry = EntryTexts<std::optional<std::wstring>>;

// Each text of an entry with the name of its value, in the order they are written.
struct EntryField {
    const wchar_t* name;
    std::wstring ToolbarEntry::*written;
    std::optional<std::wstring> FoundEntry::*found;
};
extern const std::array<EntryField, 6> kEntryFields;
// The name of an entry's value of the given text (&ToolbarEntry::exec gives "Exec").
const wchar_t* EntryValueName(std::wstring ToolbarEntry::*text);
// The value that makes a key a toolbar button, and the one that must name a toolbar button's class.
inline constexpr const wchar_t* kEntryClsidValue = L"Clsid";

// The eight values of an entry, named, in the order they are written.
NamedTexts EntryValues(const ToolbarEntry& entry);
// An entry's texts as a lookup by value name finds them.
template <class Lookup>
FoundEntry FoundEntryOf(const Lookup& textOf) {
    FoundEntry found;
    for (const EntryField& field : kEntryFields) found.*field.found = textOf(field.name);
    return found;
}

// browser is the store of Software\Microsoft\Internet Explorer (RegistryStores::browser).

// Writes the eight values in their fixed order, creating the key, under the root of the scope.
// Fails when a value was refused (the machine's root refuses a user without administrator
// rights); the writing stops at the first value refused.
[[nodiscard]] RegistryResult WriteToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope,
                                               const ToolbarEntry& entry);
// Deletes the slot's key under the root the scope selects. Succeeds when the key is gone (also
// when it was never there).
[[nodiscard]] RegistryResult RemoveToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope);

// ---- Velmora's record ---------------------------------------------------------------------------

// What a record's "Icon" holds for a program icon and an icon chosen on disk; otherwise a number.
inline constexpr const wchar_t* kRecordIconProgram = L"program";
inline constexpr const wchar_t* kRecordIconDisk = L"disk";

template <class Text>
struct RecordTexts {
    Text icon;  // "program", "disk" or the library icon number
    // The button's own copy of a disk icon; for a program icon only when its file had to take
    // another name than the program's own. Written only then.
    Text iconFile;
    Text program;  // the file to launch as typed
    Text buttonText;
    Text menuText;
    Text menuStatusBar;
    Text arguments;
    Text link;   // shortcut file that carries the arguments, or empty
    Text scope;  // "Current User" or "All Users"
};
using ButtonRecord = RecordTexts<std::wstring>;
using FoundRecord = RecordTexts<std::optional<std::wstring>>;

struct RecordField {
    const wchar_t* name;
    std::wstring ButtonRecord::*written;
    std::optional<std::wstring> FoundRecord::*found;
};
// Every value of a record with its name.
extern const std::array<RecordField, 9> kRecordFields;
// The name of a record's value of the given text (&ButtonRecord::iconFile gives "Icon File").
const wchar_t* RecordValueName(std::wstring ButtonRecord::*text);

template <class Lookup>
FoundRecord FoundRecordOf(const Lookup& textOf) {
    FoundRecord found;
    for (const RecordField& field : kRecordFields) found.*field.found = textOf(field.name);
    return found;
}
// A record's texts with a missing value as an empty text, as the editor reads them.
ButtonRecord WrittenRecord(const FoundRecord& found);

// The leading number of a text, as the stored counts are read: blanks first, then an optional
// sign, digits and fraction; rounded to a whole number (halves to even). No number gives 0.
long long LeadingNumber(const std::wstring& text);

// records is the store of Velmora's records (RegistryStores::records), or of the earlier
// version's (RegistryStores::earlierRecords) for reading.

// "Count" as stored.
long long ReadButtonCount(const CRegSettings& records);
// "Count" as stored, or nothing when it is not there.
std::optional<std::wstring> ReadButtonCountText(const CRegSettings& records);
// Writes "Count" as decimal text.
[[nodiscard]] RegistryResult WriteButtonCount(CRegSettings& records, long long count);
// Deletes "Count".
[[nodiscard]] RegistryResult RemoveButtonCount(CRegSettings& records);

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
// Deletes one value of a slot's record ("Icon File" that an update no longer uses).
[[nodiscard]] RegistryResult RemoveRecordValue(CRegSettings& records, int slot, std::wstring ButtonRecord::*text);
// Whether the record of a slot had the value when the snapshot remembered it; nothing when the
// snapshot did not read the record.
std::optional<bool> RecordValueWasThere(const CRegSettings& records, const SettingsSnapshot& snapshot, int slot,
                                        std::wstring ButtonRecord::*text);

// Reads a slot's record; a missing value is empty, a missing key (or a slot past the last) no
// record at all.
std::optional<ButtonRecord> ReadButtonRecord(const CRegSettings& records, int slot);

// Deletes a slot's record key; succeeds when it is gone (also when it was never there).
[[nodiscard]] RegistryResult RemoveButtonRecord(CRegSettings& records, int slot);

// Whether an earlier version's records are there to be carried over (they have a "Count").
bool EarlierRecordsFound(const RegistryStores& stores);
// Removes the earlier version's whole key, once its records have reached their new place.
[[nodiscard]] RegistryResult RemoveEarlierRecords(RegistryStores& stores);

// ---- The files Velmora made ----------------------------------------------------------------------

// The icon and shortcut files Velmora made for this account's buttons, each by its full path, kept
// beside the records (Software\Corvale\Velmora\Made Files). A check may remove such a file once no
// button uses it; a file not on the list (a user's own, another account's, or one made before the
// list was kept) is never removed by a sweep. Per account, as the records are: the machine's place
// is shared, and another account's files there are not on this account's list.
[[nodiscard]] RegistryResult NoteMadeFile(CRegSettings& records, const std::wstring& path);
[[nodiscard]] RegistryResult ForgetMadeFile(CRegSettings& records, const std::wstring& path);
std::vector<std::wstring> MadeFiles(const CRegSettings& records);
// Whether path (compared as a full path, ignoring case) is on the list.
bool IsMadeFile(const std::vector<std::wstring>& madeFiles, const std::wstring& path);

// ---- Every slot at once -------------------------------------------------------------------------

// One button as the slots store it: whose root its entry is under, its entry and its record.
struct SlotContents {
    ButtonScope scope = ButtonScope::CurrentUser;
    ToolbarEntry entry;
    ButtonRecord record;
};

// Whether a rewrite of the slots reached the registry: the browser entries and the records.
struct RewriteResult {
    bool entriesWritten = true;
    bool recordsWritten = true;
    int firstRefusedSlot = -1;    // the first slot whose entry or record was refused
    RegistryResult firstFailure;  // and what was refused there
    explicit operator bool() const { return entriesWritten && recordsWritten; }
};

// Writes buttons[i] into slot first + i: its entry under its root, then (with withCount, after
// the first entry) "Count" as first + buttons.size(), then its record in the rewrite's order.
// Every slot is written even when one is refused, so that the others still reach the registry.
// Never deletes.
RewriteResult WriteSlots(RegistryStores& stores, int first, std::span<const SlotContents> buttons, bool withCount);

// Deletes "Count" and every slot's record and entry under both roots; best effort, a refusal does
// not stop the others.
void EraseEverySlot(RegistryStores& stores);

// Every key of the slots, read at one moment without writing: each slot's entry under the current
// user's root and under the machine's (both views), each slot's record and the key of "Count";
// the earlier version's keys too when they are there. The snapshot can be put back as it was.
struct StoredSlots {
    SettingsSnapshot keys;
    bool earlierVersion = false;            // an earlier version's records are there
    std::optional<std::wstring> countText;  // "Count" of Velmora's own records as stored

    // A slot's entry under a root (view 0 for the current user's root), and its record; null when
    // the key is not there.
    const SettingsSnapshot::Key* Entry(int slot, HKEY root, REGSAM view) const;
    const SettingsSnapshot::Key* Record(int slot) const;
};
StoredSlots ReadStoredSlots(const RegistryStores& stores);

// The text of a value of a remembered key, read as every reader reads a value; nothing when the
// key has no such value.
std::optional<std::wstring> KeyText(const SettingsSnapshot::Key& key, const std::wstring& name);
FoundEntry FoundEntryOf(const SettingsSnapshot::Key& key);
FoundRecord FoundRecordOf(const SettingsSnapshot::Key& key);

// The machine root's two views, the 64-bit one first.
inline constexpr REGSAM kMachineViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

}  // namespace velmora
