#include "common/module_info.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace velmora {

std::wstring ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring WithTrailingBackslash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring ProgramFolder() {
    std::wstring path = ProgramPath();
    return WithTrailingBackslash(path.substr(0, path.find_last_of(L'\\') + 1));
}

namespace {

std::wstring FileNameWithoutExtension(const std::wstring& path) {
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    auto dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

std::wstring ProductName() {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return FileNameWithoutExtension(path);
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return FileNameWithoutExtension(path);

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT bytes = 0;
    if (::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes) &&
        bytes >= sizeof(Translation)) {
        for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
            wchar_t query[64];
            swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductName", translations[i].language,
                     translations[i].codePage);
            wchar_t* value = nullptr;
            UINT length = 0;
            if (::VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&value), &length) && value &&
                length > 0) {
                return std::wstring(value);
            }
        }
    }
    return FileNameWithoutExtension(path);
}

}  // namespace velmora
