#include "tests/support/registry_scratch.h"

#include "common/unique_handles.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace velmora::testing {

namespace {

const wchar_t* const kScratchRoot = L"Software\\Velmora Tests";

std::wstring ScratchPath() {
    return std::wstring(kScratchRoot) + L"\\" + std::to_wstring(::GetCurrentProcessId());
}

void Redirect(HKEY predefined, const std::wstring& path) {
    HKEY scratch = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot create the scratch key";
    status = ::RegOverridePredefKey(predefined, scratch);
    ::RegCloseKey(scratch);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot redirect a registry root";
}

}  // namespace

void RemoveScratchOfEndedRuns() {
    HKEY root = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kScratchRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) return;
    std::vector<std::wstring> ended;  // all found before any goes, so that the enumeration stays in step
    wchar_t name[256];
    for (DWORD at = 0, size = 256; !::RegEnumKeyExW(root, at++, name, &size, nullptr, nullptr, nullptr, nullptr);
         size = 256) {
        // Keys not named by a number stay, and so do those of processes that cannot be opened for
        // another reason than their absence (another user's, say).
        wchar_t* end = nullptr;
        const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, std::wcstoul(name, &end, 10)));
        const bool gone = process ? ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0
                                  : ::GetLastError() == ERROR_INVALID_PARAMETER;
        if (*name && !*end && gone) ended.push_back(name);
    }
    for (const std::wstring& key : ended) ::RegDeleteTreeW(root, key.c_str());
    ::RegCloseKey(root);
}

std::wstring ScratchUserKeyPath() {
    return ScratchPath() + L"\\HKCU";
}

void RegistryScratch::OnTestStart(const ::testing::TestInfo&) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ScratchPath().c_str());
    // The machine's root first: it is created through the real current user's root.
    Redirect(HKEY_LOCAL_MACHINE, ScratchPath() + L"\\HKLM");
    Redirect(HKEY_CURRENT_USER, ScratchUserKeyPath());
}

void RegistryScratch::OnTestEnd(const ::testing::TestInfo&) {
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ScratchPath().c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratchRoot);  // only when no other run is using it
}

}  // namespace velmora::testing
