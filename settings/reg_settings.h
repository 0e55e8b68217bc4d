// CRegSettings: the one gateway through which both programs read, write and delete named text
// values in the registry. An instance addresses "Software\<Company>\<AppName>" and, below it,
// any number of sections (sub-key paths). Reads always go to the current user's root; writes
// and deletions go to the machine's root when asked (scp = true). Reads answer the caller's
// default when a value is missing or unreadable; writes and deletions answer a RegistryResult
// that is false on failure and keeps the status, root and view of the call refused.
//
// The machine's root means both of its registry views: 64-bit programs see one
// HKEY_LOCAL_MACHINE\Software, 32-bit programs (a 32-bit browser, earlier 32-bit versions of this
// tool) see Software\Wow6432Node. Every write there goes into both views, every deletion takes
// both, and a refusal in either view makes the call answer false. The current user's Software key
// is one key for both, so it is addressed without a view.
#pragma once

#include "settings/registry_api.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// One row per value: name and text.
using SettingsTable = std::vector<std::pair<std::wstring, std::wstring>>;

// Values to write into one section: name and text, in the order they are written.
// Named texts, written in their order.
using NamedTexts = std::vector<std::pair<const wchar_t*, std::wstring>>;
using SettingsValues = std::span<const std::pair<const wchar_t*, std::wstring>>;

// Some keys with their values as they were at one moment, so that an operation that fails
// halfway can put them back (CRegSettings::Remember and Restore).
class SettingsSnapshot {
public:
    struct Value {
        std::wstring name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    struct Key {
        HKEY root = nullptr;
        REGSAM view = 0;
        std::wstring path;
        bool existed = false;
        bool readable = true;  // a key that could not be read cannot be put back, and is left alone
        std::vector<Value> values;
    };

    // The keys in the order they were remembered: for the machine's root one per view, the 64-bit
    // view first. What a check reads without changing anything.
    const std::vector<Key>& keys() const { return keys_; }
    // The key remembered under the root, in the view (0 for the current user's root), at the path
    // below the root; null when it was not remembered.
    const Key* Find(HKEY root, REGSAM view, const std::wstring& path) const;
    // The text of a value as every reader takes it: its data of any type as whole characters,
    // less one terminating zero.
    static std::wstring Text(const Value& value);

private:
    friend class CRegSettings;
    std::vector<Key> keys_;
};

// What a write or deletion came to: ok() (and true) on success; otherwise the status of the first
// registry call that failed, with the root and the view it addressed.
struct [[nodiscard]] RegistryResult {
    LSTATUS status = ERROR_SUCCESS;
    HKEY root = nullptr;
    REGSAM view = 0;
    bool ok() const { return status == ERROR_SUCCESS; }
    explicit operator bool() const { return ok(); }
    // Refused for want of rights under the machine's root: what a user without administrator
    // rights meets there.
    bool MachineAccessDenied() const { return status == ERROR_ACCESS_DENIED && root == HKEY_LOCAL_MACHINE; }
    // This result when it failed, else next: the first failure of a sequence of calls.
    RegistryResult Then(const RegistryResult& next) const { return *this ? next : *this; }
};

class CRegSettings {
public:
    // The default application name is the running program's product name.
    explicit CRegSettings(RegistryApi& registry = SystemRegistry());
    CRegSettings(RegistryApi& registry, std::wstring productName);

    const std::wstring& Company() const { return company_; }
    const std::wstring& AppName() const { return appName_; }
    // Blanks around the name are dropped; an empty name restores the default.
    void SetCompany(const std::wstring& newVal);
    void SetAppName(const std::wstring& newVal);

    // key "*" stands for the key's unnamed default value.
    std::wstring GetSetting(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue = L"") const;
    // The value's text, or nothing when the value or its key is not there, cannot be read, or has
    // no data at all.
    std::optional<std::wstring> GetSettingIfThere(const std::wstring& section, const std::wstring& key) const;
    // Several values of one section at once, each as GetSetting reads it, with the same default;
    // the key is opened once for all of them.
    std::vector<std::wstring> GetSettings(const std::wstring& section, std::span<const wchar_t* const> keys,
                                          const std::wstring& defaultValue = L"") const;
    // The same, or nothing when the section's key is not there at all (a key that is there but
    // cannot be read answers the defaults): one opening of the key tells both.
    std::optional<std::vector<std::wstring>> GetSettingsIfThere(const std::wstring& section,
                                                                std::span<const wchar_t* const> keys,
                                                                const std::wstring& defaultValue = L"") const;
    // True when the value was written in every view of the root.
    RegistryResult SaveSetting(const std::wstring& section, const std::wstring& key, const std::wstring& setting,
                               bool scp = false);
    // The values in their order, as that many SaveSetting calls write them (each value into every
    // view of the root before the next, the writing stopping after the first value refused), but
    // with the key created once per view for all of them. True when every value was written.
    RegistryResult SaveSettings(const std::wstring& section, SettingsValues values, bool scp = false);
    // With an empty key the section's key goes with everything below it; an empty section
    // with an empty key removes the whole application key. True when at least one view had the
    // value or key and no view refused to let it go; when none had it the status is
    // ERROR_FILE_NOT_FOUND.
    RegistryResult DeleteSetting(const std::wstring& section, const std::wstring& key = L"", bool scp = false);
    // Every REG_SZ value of the section, in the registry's order; values of other types are left out.
    SettingsTable GetAllSettings(const std::wstring& section) const;
    // Whether the section's key exists under the chosen root, in either view; opens it for reading
    // only. A key that is there but cannot be opened (access denied) counts as existing.
    bool SectionExists(const std::wstring& section, bool scp = false) const;
    // Deletes the section's key with everything below it, as DeleteSetting with an empty key
    // does. True when the key is gone from every view afterwards, also when it was never there:
    // what DeleteSetting followed by SectionExists tells, without opening the key once more.
    RegistryResult RemoveSection(const std::wstring& section, bool scp = false);

    // Remembers the section's key as it is now, in every view of the root, with all its values.
    void Remember(SettingsSnapshot& snapshot, const std::wstring& section, bool scp = false) const;
    // Puts every remembered key back as it was: its values restored, values and keys that were
    // not there removed. A key that is as it was is not written at all, so that keys the caller
    // may read but not change (the machine's, for a standard user) and never changed are no
    // failure. True when all of it worked.
    RegistryResult Restore(const SettingsSnapshot& snapshot);
    // Whether the value was there when the snapshot remembered the section's key under the
    // current user's root; nothing when the snapshot did not read that key.
    std::optional<bool> RememberedValueThere(const SettingsSnapshot& snapshot, const std::wstring& section,
                                             const std::wstring& key) const;

    static constexpr const wchar_t* kDefaultCompany = L"VB and VBA Program Settings";

private:
    std::wstring BuildKeyPath(const std::wstring& section) const;
    // The text of one value of an opened key, or the default when it is missing or empty.
    std::wstring ReadText(HKEY key, const std::wstring& name, const std::wstring& defaultValue) const;
    // Each answers the status of the registry call that decided its outcome.
    LSTATUS DeleteInView(const std::wstring& section, const std::wstring& key, HKEY root, REGSAM view);
    LSTATUS DeleteKeyTree(HKEY parent, const std::wstring& subKey, REGSAM view);
    LSTATUS DeletePath(HKEY root, const std::wstring& path, REGSAM view);
    RegistryResult RestoreKey(const SettingsSnapshot::Key& key);
    SettingsSnapshot::Key ReadKey(HKEY root, const std::wstring& path, REGSAM view) const;

    RegistryApi& registry_;
    std::wstring productName_;
    std::wstring company_;
    std::wstring appName_;
};

// A store addressed through its own instance, made once and never re-pointed:
// Software\<company>\<appName>.
CRegSettings SettingsStore(RegistryApi& registry, const wchar_t* company, const wchar_t* appName);

}  // namespace velmora
