#include "settings/reg_settings.h"

#include "common/file_paths.h"
#include "common/module_info.h"

#include <cstring>
#include <span>
#include <vector>

namespace velmora {

namespace {

// Blanks only, as the stored names have always been trimmed.
std::wstring TrimBlanks(const std::wstring& text) {
    auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    auto last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

HKEY RootFor(bool scp) {
    return scp ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The registry views a root is addressed in: both views of the machine's root, the 64-bit one
// first; the current user's root as it is.
constexpr REGSAM kMachineViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
constexpr REGSAM kUserViews[] = {0};
std::span<const REGSAM> ViewsFor(bool scp) {
    return scp ? std::span<const REGSAM>(kMachineViews) : std::span<const REGSAM>(kUserViews);
}

bool IsNotFound(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

const wchar_t* ValueName(const std::wstring& key) {
    return key == L"*" ? nullptr : key.c_str();
}

// Text of registry data of any type and size: whole characters only, less one terminating zero.
std::wstring TextFromData(const std::vector<wchar_t>& buffer, DWORD bytes) {
    size_t chars = bytes / sizeof(wchar_t);
    if (chars > buffer.size()) chars = buffer.size();
    if (chars > 0 && buffer[chars - 1] == L'\0') --chars;
    return std::wstring(buffer.data(), chars);
}

// The same values, whatever their order: names compared as the registry does, ignoring case
// (as Windows compares file names).
bool SameValues(const std::vector<SettingsSnapshot::Value>& first, const std::vector<SettingsSnapshot::Value>& second) {
    if (first.size() != second.size()) return false;
    for (const SettingsSnapshot::Value& value : first) {
        bool found = false;
        for (const SettingsSnapshot::Value& other : second) {
            found =
                found || (SamePathText(value.name, other.name) && value.type == other.type && value.data == other.data);
        }
        if (!found) return false;
    }
    return true;
}

}  // namespace

CRegSettings::CRegSettings(RegistryApi& registry) : CRegSettings(registry, velmora::ProductName()) {}

CRegSettings::CRegSettings(RegistryApi& registry, std::wstring productName)
    : registry_(registry), productName_(std::move(productName)), company_(kDefaultCompany), appName_(productName_) {}

void CRegSettings::SetCompany(const std::wstring& newVal) {
    company_ = newVal.empty() ? std::wstring(kDefaultCompany) : TrimBlanks(newVal);
}

void CRegSettings::SetAppName(const std::wstring& newVal) {
    appName_ = newVal.empty() ? productName_ : TrimBlanks(newVal);
}

std::wstring CRegSettings::BuildKeyPath(const std::wstring& section) const {
    std::wstring path = L"Software\\" + company_ + L"\\" + appName_;
    if (!section.empty()) path += L"\\" + section;
    return path;
}

std::wstring CRegSettings::ReadText(HKEY key, const std::wstring& valueName, const std::wstring& defaultValue) const {
    const wchar_t* name = ValueName(valueName);
    // Most values fit the first buffer and take one call. A longer one is read again at the size
    // the registry answered; it may grow between the two reads, so ask again until it fits.
    std::vector<wchar_t> buffer(256, L'\0');
    for (int attempt = 0; attempt < 5; ++attempt) {
        DWORD read = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = registry_.QueryValue(key, name, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (status == ERROR_MORE_DATA) {
            buffer.assign(read / sizeof(wchar_t) + 1, L'\0');
            continue;
        }
        if (status != ERROR_SUCCESS || read == 0) return defaultValue;
        return TextFromData(buffer, read);
    }
    return defaultValue;
}

std::wstring CRegSettings::GetSetting(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue) const {
    // Opened for reading only: a key the user may read but not change still reads as it is.
    OpenedKey opened(registry_);
    if (registry_.OpenKey(HKEY_CURRENT_USER, BuildKeyPath(section).c_str(), KEY_READ, opened.put()) != ERROR_SUCCESS) {
        return defaultValue;
    }
    return ReadText(opened.get(), key, defaultValue);
}

std::vector<std::wstring> CRegSettings::GetSettings(const std::wstring& section, std::span<const wchar_t* const> keys,
                                                    const std::wstring& defaultValue) const {
    std::optional<std::vector<std::wstring>> texts = GetSettingsIfThere(section, keys, defaultValue);
    return texts ? std::move(*texts) : std::vector<std::wstring>(keys.size(), defaultValue);
}

std::optional<std::vector<std::wstring>> CRegSettings::GetSettingsIfThere(const std::wstring& section,
                                                                          std::span<const wchar_t* const> keys,
                                                                          const std::wstring& defaultValue) const {
    std::vector<std::wstring> texts(keys.size(), defaultValue);
    OpenedKey opened(registry_);
    const LSTATUS status = registry_.OpenKey(HKEY_CURRENT_USER, BuildKeyPath(section).c_str(), KEY_READ, opened.put());
    if (IsNotFound(status)) return std::nullopt;
    if (status != ERROR_SUCCESS) return texts;
    for (size_t index = 0; index < keys.size(); ++index) {
        texts[index] = ReadText(opened.get(), keys[index], defaultValue);
    }
    return texts;
}

std::optional<std::wstring> CRegSettings::GetSettingIfThere(const std::wstring& section,
                                                            const std::wstring& key) const {
    OpenedKey opened(registry_);
    if (registry_.OpenKey(HKEY_CURRENT_USER, BuildKeyPath(section).c_str(), KEY_READ, opened.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Asked for its size first: a value that is there but empty reads as an empty text, one that
    // is missing as nothing.
    const wchar_t* name = ValueName(key);
    DWORD bytes = 0;
    // A value of no bytes at all, not even the terminating zero, holds no text.
    if (registry_.QueryValue(opened.get(), name, nullptr, nullptr, &bytes) != ERROR_SUCCESS || bytes == 0) {
        return std::nullopt;
    }
    return ReadText(opened.get(), key, L"");
}

RegistryResult CRegSettings::SaveSetting(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& setting, bool scp) {
    const std::wstring path = BuildKeyPath(section);
    const DWORD bytes = static_cast<DWORD>((setting.size() + 1) * sizeof(wchar_t));
    RegistryResult result;
    for (REGSAM view : ViewsFor(scp)) {
        OpenedKey created(registry_);
        LSTATUS status = registry_.CreateKey(RootFor(scp), path.c_str(), KEY_ALL_ACCESS | view, created.put());
        if (status == ERROR_SUCCESS) {
            status = registry_.SetValue(created.get(), ValueName(key), REG_SZ,
                                        reinterpret_cast<const BYTE*>(setting.c_str()), bytes);
        }
        result = result.Then({status, RootFor(scp), view});
    }
    return result;
}

RegistryResult CRegSettings::SaveSettings(const std::wstring& section, SettingsValues values, bool scp) {
    if (values.empty()) return {};
    const std::wstring path = BuildKeyPath(section);
    const std::span<const REGSAM> views = ViewsFor(scp);
    // One key per view: two for the machine's root, one for the current user's.
    OpenedKey keys[2] = {OpenedKey(registry_), OpenedKey(registry_)};
    LSTATUS created[2] = {ERROR_SUCCESS, ERROR_SUCCESS};
    for (size_t view = 0; view < views.size(); ++view) {
        created[view] = registry_.CreateKey(RootFor(scp), path.c_str(), KEY_ALL_ACCESS | views[view], keys[view].put());
    }
    for (const auto& [name, text] : values) {
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        RegistryResult result;
        for (size_t view = 0; view < views.size(); ++view) {
            // Every view is written, also after another refused, as SaveSetting does.
            const BYTE* data = reinterpret_cast<const BYTE*>(text.c_str());
            const LSTATUS status = created[view] != ERROR_SUCCESS
                                       ? created[view]
                                       : registry_.SetValue(keys[view].get(), ValueName(name), REG_SZ, data, bytes);
            result = result.Then({status, RootFor(scp), views[view]});
        }
        if (!result) return result;
    }
    return {};
}

LSTATUS CRegSettings::DeleteKeyTree(HKEY parent, const std::wstring& subKey, REGSAM view) {
    {
        OpenedKey opened(registry_);
        const LSTATUS status = registry_.OpenKey(parent, subKey.c_str(), KEY_ALL_ACCESS | view, opened.put());
        if (status != ERROR_SUCCESS) return status;
        // Sub-keys first, deepest first. A sub-key that cannot be removed is stepped over so the
        // walk ends; the final deletion below then fails and says so.
        DWORD index = 0;
        for (;;) {
            wchar_t name[256];
            DWORD length = 256;
            if (registry_.EnumKey(opened.get(), index, name, &length) != ERROR_SUCCESS) break;
            if (DeleteKeyTree(opened.get(), std::wstring(name, length), view) != ERROR_SUCCESS) ++index;
        }
    }
    return registry_.DeleteKey(parent, subKey.c_str(), view);
}

LSTATUS CRegSettings::DeleteInView(const std::wstring& section, const std::wstring& key, HKEY root, REGSAM view) {
    if (!key.empty()) {
        OpenedKey opened(registry_);
        const LSTATUS status =
            registry_.OpenKey(root, BuildKeyPath(section).c_str(), KEY_ALL_ACCESS | view, opened.put());
        if (status != ERROR_SUCCESS) return status;
        return registry_.DeleteValue(opened.get(), ValueName(key));
    }

    // The key goes with everything below it; an empty section removes the application key itself.
    return DeletePath(root, BuildKeyPath(section), view);
}

LSTATUS CRegSettings::DeletePath(HKEY root, const std::wstring& keyPath, REGSAM view) {
    // Named by its whole path from the root, the key itself goes without its parent being opened.
    // Never a key right below the root.
    std::wstring path = keyPath;
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    if (path.find(L'\\') == std::wstring::npos) return ERROR_FILE_NOT_FOUND;
    return DeleteKeyTree(root, path, view);
}

RegistryResult CRegSettings::DeleteSetting(const std::wstring& section, const std::wstring& key, bool scp) {
    // A view that never had the value or key is no failure; one that refused is.
    bool deleted = false;
    RegistryResult refused;
    for (REGSAM view : ViewsFor(scp)) {
        const LSTATUS status = DeleteInView(section, key, RootFor(scp), view);
        deleted = deleted || status == ERROR_SUCCESS;
        if (status != ERROR_SUCCESS && !IsNotFound(status)) refused = refused.Then({status, RootFor(scp), view});
    }
    if (!refused) return refused;
    return deleted ? RegistryResult{} : RegistryResult{ERROR_FILE_NOT_FOUND, RootFor(scp), 0};
}

SettingsTable CRegSettings::GetAllSettings(const std::wstring& section) const {
    SettingsTable table;
    OpenedKey opened(registry_);
    if (registry_.OpenKey(HKEY_CURRENT_USER, BuildKeyPath(section).c_str(), KEY_READ, opened.put()) != ERROR_SUCCESS) {
        return table;
    }
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (registry_.QueryInfoKey(opened.get(), nullptr, &longestName, &longestData) != ERROR_SUCCESS) return table;

    std::vector<wchar_t> name(longestName + 1);
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = REG_NONE;
        LSTATUS status = registry_.EnumValue(opened.get(), index, name.data(), &nameLength, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_MORE_DATA) continue;  // grew since the size query: left out
        if (status != ERROR_SUCCESS) break;
        if (type != REG_SZ) continue;
        table.emplace_back(std::wstring(name.data(), nameLength), TextFromData(data, dataSize));
    }
    return table;
}

bool CRegSettings::SectionExists(const std::wstring& section, bool scp) const {
    const std::wstring path = BuildKeyPath(section);
    for (REGSAM view : ViewsFor(scp)) {
        OpenedKey opened(registry_);
        if (!IsNotFound(registry_.OpenKey(RootFor(scp), path.c_str(), KEY_READ | view, opened.put()))) return true;
    }
    return false;
}

RegistryResult CRegSettings::RemoveSection(const std::wstring& section, bool scp) {
    const std::wstring path = BuildKeyPath(section);
    RegistryResult gone;
    for (REGSAM view : ViewsFor(scp)) {
        const LSTATUS status = DeleteInView(section, L"", RootFor(scp), view);
        if (status == ERROR_SUCCESS || IsNotFound(status)) continue;
        // Refused: it may still never have been there (a standard user may not even open the
        // machine's keys for deleting).
        OpenedKey opened(registry_);
        if (IsNotFound(registry_.OpenKey(RootFor(scp), path.c_str(), KEY_READ | view, opened.put()))) continue;
        gone = gone.Then({status, RootFor(scp), view});
    }
    return gone;
}

SettingsSnapshot::Key CRegSettings::ReadKey(HKEY root, const std::wstring& path, REGSAM view) const {
    SettingsSnapshot::Key key;
    key.root = root;
    key.view = view;
    key.path = path;
    OpenedKey opened(registry_);
    const LSTATUS status = registry_.OpenKey(key.root, path.c_str(), KEY_READ | view, opened.put());
    key.existed = !IsNotFound(status);
    key.readable = status == ERROR_SUCCESS || IsNotFound(status);
    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (status == ERROR_SUCCESS &&
        registry_.QueryInfoKey(opened.get(), &valueCount, &longestName, &longestData) != ERROR_SUCCESS) {
        key.readable = false;
    }
    // As many values as the key said it has; one that went meanwhile ends the walk early.
    for (DWORD index = 0; status == ERROR_SUCCESS && key.readable && index < valueCount; ++index) {
        std::vector<wchar_t> name(longestName + 1);
        SettingsSnapshot::Value value;
        value.data.resize(longestData);
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = longestData;
        const LSTATUS read = registry_.EnumValue(opened.get(), index, name.data(), &nameLength, &value.type,
                                                 value.data.data(), &dataSize);
        if (read == ERROR_NO_MORE_ITEMS) break;
        if (read != ERROR_SUCCESS) {
            key.readable = false;
            break;
        }
        value.name.assign(name.data(), nameLength);
        value.data.resize(dataSize);
        key.values.push_back(std::move(value));
    }
    return key;
}

void CRegSettings::Remember(SettingsSnapshot& snapshot, const std::wstring& section, bool scp) const {
    const std::wstring path = BuildKeyPath(section);
    for (REGSAM view : ViewsFor(scp)) snapshot.keys_.push_back(ReadKey(RootFor(scp), path, view));
}

RegistryResult CRegSettings::RestoreKey(const SettingsSnapshot::Key& key) {
    if (!key.readable) return {ERROR_ACCESS_DENIED, key.root, key.view};
    // A key as it was needs no writing.
    const SettingsSnapshot::Key now = ReadKey(key.root, key.path, key.view);
    if (now.readable && now.existed == key.existed && SameValues(now.values, key.values)) return {};
    if (!key.existed) {
        const LSTATUS status = DeletePath(key.root, key.path, key.view);
        return {IsNotFound(status) ? ERROR_SUCCESS : status, key.root, key.view};
    }
    OpenedKey created(registry_);
    const LSTATUS status = registry_.CreateKey(key.root, key.path.c_str(), KEY_ALL_ACCESS | key.view, created.put());
    if (status != ERROR_SUCCESS) return {status, key.root, key.view};
    // Values that came since go; the remembered ones are written back as they were.
    std::vector<std::wstring> present;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (registry_.EnumValue(created.get(), index, name, &length, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        present.emplace_back(name, length);
    }
    RegistryResult restored;
    for (const std::wstring& name : present) {
        bool remembered = false;
        for (const SettingsSnapshot::Value& value : key.values) remembered = remembered || value.name == name;
        if (!remembered)
            restored = restored.Then({registry_.DeleteValue(created.get(), name.c_str()), key.root, key.view});
    }
    for (const SettingsSnapshot::Value& value : key.values) {
        const LSTATUS set = registry_.SetValue(created.get(), value.name.c_str(), value.type, value.data.data(),
                                               static_cast<DWORD>(value.data.size()));
        restored = restored.Then({set, key.root, key.view});
    }
    return restored;
}

RegistryResult CRegSettings::Restore(const SettingsSnapshot& snapshot) {
    RegistryResult restored;
    // Latest first, so that a key remembered twice ends as it was the first time.
    for (auto key = snapshot.keys_.rbegin(); key != snapshot.keys_.rend(); ++key) {
        restored = restored.Then(RestoreKey(*key));
    }
    return restored;
}

std::optional<bool> CRegSettings::RememberedValueThere(const SettingsSnapshot& snapshot, const std::wstring& section,
                                                       const std::wstring& key) const {
    const std::wstring path = BuildKeyPath(section);
    const std::wstring name = key == L"*" ? std::wstring() : key;  // the default value has no name
    // Names are compared as the registry does, ignoring case.
    for (const SettingsSnapshot::Key& remembered : snapshot.keys_) {
        if (remembered.root != HKEY_CURRENT_USER || !SamePathText(remembered.path, path) || !remembered.readable) {
            continue;
        }
        for (const SettingsSnapshot::Value& value : remembered.values) {
            if (SamePathText(value.name, name)) return true;
        }
        return false;
    }
    return std::nullopt;
}

const SettingsSnapshot::Key* SettingsSnapshot::Find(HKEY root, REGSAM view, const std::wstring& path) const {
    for (const Key& key : keys_) {
        if (key.root == root && key.view == view && SamePathText(key.path, path)) return &key;
    }
    return nullptr;
}

std::wstring SettingsSnapshot::Text(const Value& value) {
    std::vector<wchar_t> buffer(value.data.size() / sizeof(wchar_t));
    if (!buffer.empty()) std::memcpy(buffer.data(), value.data.data(), buffer.size() * sizeof(wchar_t));
    return TextFromData(buffer, static_cast<DWORD>(value.data.size()));
}

CRegSettings SettingsStore(RegistryApi& registry, const wchar_t* company, const wchar_t* appName) {
    CRegSettings settings(registry, appName);
    settings.SetAppName(appName);
    settings.SetCompany(company);
    return settings;
}

}  // namespace velmora
