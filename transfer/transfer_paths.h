// The folder beside an exported file that holds the buttons' icon and shortcut files, and the
// names the files take in it.
#pragma once

#include "buttons/file_places.h"
#include "regfile/reg_file.h"

#include <string>
#include <vector>

namespace velmora {

// The folder beside a registry file named after it, ending in a backslash:
// "D:\backup\Velmora buttons.reg" gives "D:\backup\Velmora buttons files\". A forward slash
// separates folders as a backslash does, and a dot in a folder's name is no extension:
// "C:/back.up/buttons" gives "C:\back.up\buttons files\".
std::wstring TransferFilesFolder(const std::wstring& regFile);

// The names under which the icon files (icon values) and shortcuts (the link value)
// that a registry file names have their copies in the folder beside it ("icons\", "shortcuts\").
// In the order the file names them, the first path of a name keeps it and another path of the
// same name takes the first numbered one that is free ("notepad (2).ico"), so that two files of
// one name from two places both travel. The export and the import both take the names from the
// file itself, so that they agree.
class TransferFileNames {
public:
    TransferFileNames() = default;
    explicit TransferFileNames(const RegFile& file);
    // The name of the copy of path; the path's own name when the file does not name it.
    std::wstring CopyName(const std::wstring& path, OwnFileKind kind) const;
    // Whether a copy of the kind has this name: a file the export of this file made.
    bool NamesCopy(const std::wstring& name, OwnFileKind kind) const;

private:
    struct Named {
        OwnFileKind kind;
        std::wstring path;
        std::wstring name;
    };
    std::vector<Named> named_;
};

}  // namespace velmora
