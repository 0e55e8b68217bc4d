// A new, empty folder under the temporary folder, removed with everything in it at the end.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's path, ending in a backslash.
    const std::wstring& path() const { return path_; }
    // Writes a file below the folder (creating sub-folders) and answers its full path.
    std::wstring WriteFile(const std::wstring& relativePath, const std::string& content) const;

private:
    std::wstring path_;
};

// Gives a program folder (ending in a backslash) an "icons" folder with the shipped library icons.
void CopyLibraryIcons(const std::wstring& programFolder);

// Every file below folder (ending in a backslash) by its path relative to it, with its size and
// last write time; with folders, every folder too (its path ending in a backslash). The
// sub-folders of folder named in skipped, and what is in them, are left out.
using FileList = std::map<std::wstring, std::pair<unsigned long long, unsigned long long>>;
FileList ListFiles(const std::wstring& folder, const std::vector<std::wstring>& skipped = {}, bool folders = false);

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

}  // namespace velmora::testing
