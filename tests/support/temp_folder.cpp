#include "tests/support/temp_folder.h"

#include "tests/support/shipped_files.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace velmora::testing {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + L"\\");
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

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

TempFolder::~TempFolder() { RemoveTree(path_); }

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
