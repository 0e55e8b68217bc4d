// The browser's toolbar-extension entry of one button: the key
// Software\Microsoft\Internet Explorer\Extensions\<slot id> under the current user's root or,
// for a button of all users, the machine's root. The browser reads these keys when it starts.
#pragma once

#include "buttons/button.h"
#include "settings/reg_settings.h"

#include <string>

namespace velmora {

inline constexpr const wchar_t* kToolbarButtonClsid = L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}";

struct ToolbarEntry {
    std::wstring buttonText;
    std::wstring exec;  // file to launch as typed, or the shortcut file that carries parameters
    std::wstring icon;  // cold (normal) icon file
    std::wstring hotIcon;
    std::wstring menuText;
    std::wstring menuStatusBar;
};

// The eight values of an entry, named, in the order they are written.
NamedTexts EntryValues(const ToolbarEntry& entry);

// browser is the store of Software\Microsoft\Internet Explorer (RegistryStores::browser).

// Writes the eight values in their fixed order, creating the key, under the root of the scope.
// Fails when a value was refused (the machine's root refuses a user without administrator
// rights); the writing stops at the first value refused.
[[nodiscard]] RegistryResult WriteToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope,
                                               const ToolbarEntry& entry);

// Deletes the slot's key under the root the scope selects. Succeeds when the key is gone (also
// when it was never there).
[[nodiscard]] RegistryResult RemoveToolbarEntry(CRegSettings& browser, int slot, ButtonScope scope);

// The normal (grey) and hot (colour) files of library icon n in the icons folder.
std::wstring LibraryIconFile(const std::wstring& programFolder, long long number);
std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number);

}  // namespace velmora
