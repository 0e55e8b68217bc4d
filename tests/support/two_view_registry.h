// The machine's root with two registry views, as 64-bit Windows has them. The tests' redirected
// HKEY_LOCAL_MACHINE lies below the current user's root, where no view redirection happens, so
// this does what Windows does: a call in the 32-bit view (KEY_WOW64_32KEY) on
// "Software\X" reaches "Software\Wow6432Node\X". One chosen view can refuse every write and
// deletion, as for a user without administrator rights, and then also refuse to open its existing
// keys at all.
#pragma once

#include "settings/registry_api.h"

#include <string>

namespace velmora::testing {

inline const std::wstring kWow6432Node = L"Software\\Wow6432Node\\";

class TwoViewRegistry : public RegistryApi {
public:
    REGSAM refusedView = 0;      // KEY_WOW64_32KEY or KEY_WOW64_64KEY; 0 refuses nothing
    bool refuseReading = false;  // the refused view does not even open its keys for reading

    LSTATUS OpenKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        const std::wstring inView = InView(root, path, access);
        if (Refused(access) && (refuseReading || (access & ~(KEY_READ | kViews)) != 0)) {
            const LSTATUS status = RegistryApi::OpenKey(root, inView.c_str(), KEY_READ, result);
            if (status != ERROR_SUCCESS) return status;  // what is not there stays not found
            RegistryApi::CloseKey(*result);
            *result = nullptr;
            return ERROR_ACCESS_DENIED;
        }
        return RegistryApi::OpenKey(root, inView.c_str(), access, result);
    }
    LSTATUS CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        if (Refused(access)) return ERROR_ACCESS_DENIED;
        return RegistryApi::CreateKey(root, InView(root, path, access).c_str(), access, result);
    }
    LSTATUS DeleteKey(HKEY key, const wchar_t* subKey, REGSAM view) override {
        if (Refused(view)) return ERROR_ACCESS_DENIED;
        return RegistryApi::DeleteKey(key, subKey, view);
    }

private:
    static constexpr REGSAM kViews = KEY_WOW64_32KEY | KEY_WOW64_64KEY;

    bool Refused(REGSAM access) const { return refusedView != 0 && (access & kViews) == refusedView; }

    static std::wstring InView(HKEY root, const wchar_t* path, REGSAM access) {
        const std::wstring text = path ? path : L"";
        const std::wstring software = L"Software\\";
        if (root != HKEY_LOCAL_MACHINE || !(access & KEY_WOW64_32KEY) || text.size() < software.size() ||
            ::CompareStringOrdinal(text.c_str(), static_cast<int>(software.size()), software.c_str(),
                                   static_cast<int>(software.size()), TRUE) != CSTR_EQUAL) {
            return text;
        }
        return kWow6432Node + text.substr(software.size());
    }
};

}  // namespace velmora::testing
