// Where the buttons' keys lie in a registry file, and the folder beside an exported file that holds
// the buttons' icon and shortcut files.
#pragma once

#include <string>

namespace velmora {

inline constexpr const wchar_t* kCurrentUserRoot = L"HKEY_CURRENT_USER";
inline constexpr const wchar_t* kMachineRoot = L"HKEY_LOCAL_MACHINE";
// Below a root: the browser's key (the machine's 64-bit view, and the current user's only key),
// the same seen by 32-bit programs, and the program's own key.
inline constexpr const wchar_t* kBrowserKey = L"Software\\Microsoft\\Internet Explorer\\";
inline constexpr const wchar_t* kBrowserKey32 = L"Software\\Wow6432Node\\Microsoft\\Internet Explorer\\";
inline constexpr const wchar_t* kProgramKey = L"Software\\Corvale\\Velmora\\";

// The folder beside a registry file named after it, ending in a backslash:
// "D:\backup\Velmora buttons.reg" gives "D:\backup\Velmora buttons files\". A forward slash
// separates folders as a backslash does, and a dot in a folder's name is no extension:
// "C:/back.up/buttons" gives "C:\back.up\buttons files\".
std::wstring TransferFilesFolder(const std::wstring& regFile);

}  // namespace velmora
