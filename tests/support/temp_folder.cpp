#include "tests/support/temp_folder.h"

#include "common/unique_handles.h"
#include "tests/support/shipped_files.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace velmora::testing {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    static unsigned counter = 0;
    for (;;) {
        std::wstring candidate = std::wstring(temp) + L"velmora-test-" + std::to_wstring(::GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(++counter) + L"\\";
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

// Deepest first: what a folder holds sorts after the folder.
TempFolder::~TempFolder() {
    const FileList all = ListFiles(path_, {}, true);
    for (auto at = all.rbegin(); at != all.rend(); ++at) {
        const std::wstring full = path_ + at->first;
        ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        full.ends_with(L'\\') ? ::RemoveDirectoryW(full.c_str()) : ::DeleteFileW(full.c_str());
    }
    ::RemoveDirectoryW(path_.c_str());
}

std::wstring TempFolder::WriteFile(const std::wstring& relativePath, const std::string& content) const {
    std::wstring full = path_ + relativePath;
    for (size_t at = full.find(L'\\', path_.size()); at != std::wstring::npos; at = full.find(L'\\', at + 1)) {
        ::CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
    }
    std::ofstream out(full.c_str(), std::ios::binary);
    out << content;
    return full;
}

void CopyLibraryIcons(const std::wstring& programFolder) {
    ::CreateDirectoryW((programFolder + L"icons").c_str(), nullptr);
    for (int n = 1; n <= 25; ++n) {
        for (const wchar_t* look : {L"", L"gr"}) {
            const std::wstring name = std::to_wstring(n) + look + L".ico";
            ::CopyFileW(ShippedLibraryIcon(name).c_str(), (programFolder + L"icons\\" + name).c_str(), FALSE);
        }
    }
}

FileList ListFiles(const std::wstring& folder, const std::vector<std::wstring>& skipped, bool folders) {
    FileList files;
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &data)) {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || std::ranges::count(skipped, name)) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders) files[name + L"\\"] = {};
            for (const auto& [below, facts] : ListFiles(folder + name + L"\\", {}, folders)) {
                files[name + L"\\" + below] = facts;
            }
        } else {
            files[name] = {(ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                           (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
        }
    }
    return files;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace velmora::testing
