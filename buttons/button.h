// A button as its user knows it: what it launches, its three texts, whom it is for and its icon.
// The list shows it, the records and the browser's entries store it (buttons/button_mapping.h
// maps it to and from each of them).
#pragma once

#include <string>

namespace velmora {

inline constexpr int kLibraryIconCount = 25;
inline constexpr const wchar_t* kScopeAllUsers = L"All Users";
inline constexpr const wchar_t* kScopeCurrentUser = L"Current User";

// Whose browser shows the button: the entry lies under the current user's root or the machine's.
enum class ButtonScope { CurrentUser, AllUsers };

// Where the button's icon comes from: one of the shipped library icons, the icon of the file it
// launches, or an icon file chosen on disk.
enum class IconKind { Library, Program, Disk };

struct Button {
    std::wstring fileToLaunch;   // a program, a document or a URL, as typed
    std::wstring parameters;     // the command-line parameters, passed through the shortcut file
    std::wstring buttonText;     // the caption on the toolbar
    std::wstring menuText;       // the item in the browser's "Tools" menu
    std::wstring statusBarText;  // the status-bar text of that item
    ButtonScope scope = ButtonScope::CurrentUser;
    IconKind iconKind = IconKind::Library;
    long long libraryNumber = 1;  // the library icon (1 to 25) of a library-icon button
    // The button's own icon file for a program or disk icon; empty for a library icon. For an add
    // or update the disk icon is the file chosen on disk, and the button gets its own copy.
    std::wstring iconFile;
    std::wstring link;  // the shortcut file that carries the parameters, or empty

    bool operator==(const Button&) const = default;
};

// "All Users" or "Current User", as the list shows the scope and the record stores it.
inline const wchar_t* ScopeText(ButtonScope scope) {
    return scope == ButtonScope::AllUsers ? kScopeAllUsers : kScopeCurrentUser;
}
// Only the exact text "All Users" is the machine's scope; anything else is the current user's.
inline ButtonScope ScopeFromText(const std::wstring& text) {
    return text == kScopeAllUsers ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
}
inline bool ForAllUsers(ButtonScope scope) {
    return scope == ButtonScope::AllUsers;
}

}  // namespace velmora
