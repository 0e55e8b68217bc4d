// The registry as a user without administrator rights sees it: the machine's root can be read,
// but every attempt to open it for writing, create a key in it or delete from it is refused.
#pragma once

#include "settings/registry_api.h"

namespace velmora::testing {

class StandardUserRegistry : public RegistryApi {
public:
    LSTATUS OpenKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        if (root == HKEY_LOCAL_MACHINE && (access & ~(KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY)) != 0)
            return ERROR_ACCESS_DENIED;
        return RegistryApi::OpenKey(root, path, access, result);
    }
    LSTATUS CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        if (root == HKEY_LOCAL_MACHINE) return ERROR_ACCESS_DENIED;
        return RegistryApi::CreateKey(root, path, access, result);
    }
};

}  // namespace velmora::testing
