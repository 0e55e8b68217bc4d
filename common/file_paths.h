// Paths as Windows treats them: compared without regard to case, resolved to full paths, and
// asked whether a file or a folder is there.
#pragma once

#include <string>

namespace velmora {

// Whether two path texts are equal as Windows compares file names: ordinal, ignoring case.
bool SamePathText(const std::wstring& first, const std::wstring& second);

// The full path of a path as the system resolves it ("." and ".." segments removed, relative
// paths made absolute, the trailing dots and blanks of a name dropped); empty when it cannot be
// resolved.
std::wstring FullPath(const std::wstring& path);

// The folder of a path up to and with its last backslash ("" when it has none), and the name after
// it (the whole path when it has none).
std::wstring FolderOfPath(const std::wstring& path);
std::wstring NameOfPath(const std::wstring& path);

// Whether a file (not a folder) is there, and whether a folder is.
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);

}  // namespace velmora
