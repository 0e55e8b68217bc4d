// The system's registry, with the names of the values written, in the order they were written.
#pragma once

#include "settings/registry_api.h"

#include <string>
#include <vector>

namespace velmora::testing {

class RecordingRegistry : public RegistryApi {
public:
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) override {
        written.emplace_back(name ? name : L"*");
        return RegistryApi::SetValue(key, name, type, data, size);
    }
    std::vector<std::wstring> written;
};

}  // namespace velmora::testing
