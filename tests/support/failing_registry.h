// The system's registry, refusing the n-th call that changes it (creating a key, setting or
// deleting a value, deleting a key), counted from 1; 0 refuses none.
// Counts every such call, so that a test can first count them and then refuse each in turn.
#pragma once

#include "settings/registry_api.h"

namespace velmora::testing {

class FailingRegistry : public RegistryApi {
public:
    int failAt = 0;
    int changes = 0;

    LSTATUS CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        if (Refuse()) return ERROR_ACCESS_DENIED;
        return RegistryApi::CreateKey(root, path, access, result);
    }
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) override {
        if (Refuse()) return ERROR_ACCESS_DENIED;
        return RegistryApi::SetValue(key, name, type, data, size);
    }
    LSTATUS DeleteValue(HKEY key, const wchar_t* name) override {
        if (Refuse()) return ERROR_ACCESS_DENIED;
        return RegistryApi::DeleteValue(key, name);
    }
    LSTATUS DeleteKey(HKEY key, const wchar_t* subKey, REGSAM view) override {
        if (Refuse()) return ERROR_ACCESS_DENIED;
        return RegistryApi::DeleteKey(key, subKey, view);
    }

private:
    bool Refuse() { return ++changes == failAt; }
};

}  // namespace velmora::testing
