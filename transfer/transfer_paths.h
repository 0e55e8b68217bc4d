// The folder beside an exported file that holds the buttons' icon and shortcut files.
#pragma once

#include <string>

namespace velmora {

// The folder beside a registry file named after it, ending in a backslash:
// "D:\backup\Velmora buttons.reg" gives "D:\backup\Velmora buttons files\". A forward slash
// separates folders as a backslash does, and a dot in a folder's name is no extension:
// "C:/back.up/buttons" gives "C:\back.up\buttons files\".
std::wstring TransferFilesFolder(const std::wstring& regFile);

}  // namespace velmora
