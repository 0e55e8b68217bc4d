#include "tests/support/folder_link.h"

#include "common/unique_handles.h"

#include <windows.h>

namespace velmora::testing {

namespace {

bool IsLink(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Wine's Unix name of a Windows path; empty where the system is not Wine.
std::wstring UnixName(const std::wstring& path) {
    using UnixNameOf = char*(CDECL*)(const wchar_t*);
    const auto unixNameOf = reinterpret_cast<UnixNameOf>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixNameOf ? unixNameOf(path.c_str()) : nullptr;
    if (!name) return {};
    const std::string narrow(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return std::wstring(narrow.begin(), narrow.end());
}

}  // namespace

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    constexpr DWORD kDirectory = 0x1, kUnprivileged = 0x2;
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), kDirectory | kUnprivileged) && IsLink(link)) return true;
    const std::wstring unixTarget = UnixName(target), unixLink = UnixName(link);
    if (unixTarget.empty() || unixLink.empty()) return false;
    const std::wstring program = L"Z:\\bin\\ln";
    std::wstring commandLine = L"ln -s \"" + unixTarget + L"\" \"" + unixLink + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return false;
    }
    const UniqueProcessInfo process(started);
    ::WaitForSingleObject(started.hProcess, 10000);
    return IsLink(link);
}

}  // namespace velmora::testing
