// A new, empty folder under the temporary folder, removed with everything in it at the end.
#pragma once

#include <string>

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

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

}  // namespace velmora::testing
