#include "tests/support/registry_scratch.h"

#include <windows.h>

#include <string>

namespace velmora::testing {

namespace {

const wchar_t* const kScratchRoot = L"Software\\Velmora Tests";

std::wstring ScratchPath() { return std::wstring(kScratchRoot) + L"\\" + std::to_wstring(::GetCurrentProcessId()); }

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

void RegistryScratch::OnTestStart(const ::testing::TestInfo&) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ScratchPath().c_str());
    // The machine's root first: it is created through the real current user's root.
    Redirect(HKEY_LOCAL_MACHINE, ScratchPath() + L"\\HKLM");
    Redirect(HKEY_CURRENT_USER, ScratchPath() + L"\\HKCU");
}

void RegistryScratch::OnTestEnd(const ::testing::TestInfo&) {
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ScratchPath().c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratchRoot);  // only when no other run is using it
}

}  // namespace velmora::testing
