// The raw registry calls, behind one seam: the programs use the system's registry, tests can
// put a wrapper in front that refuses chosen calls (a standard user writing to the machine's
// root, say) and see how the callers cope. The registry view of a call under the machine's root
// (KEY_WOW64_64KEY or KEY_WOW64_32KEY) travels in its access mask, or in view for DeleteKey.
#pragma once

#include <windows.h>

namespace velmora {

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    virtual LSTATUS OpenKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result);
    virtual LSTATUS CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result);
    virtual LSTATUS QueryValue(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size);
    virtual LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
    virtual LSTATUS DeleteValue(HKEY key, const wchar_t* name);
    // Deletes one key that has no sub-keys; subKey may name several levels. view is 0 or one of
    // KEY_WOW64_64KEY and KEY_WOW64_32KEY.
    virtual LSTATUS DeleteKey(HKEY key, const wchar_t* subKey, REGSAM view);
    virtual LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength);
    virtual LSTATUS EnumValue(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                              DWORD* dataSize);
    // The number of values and the longest value name (in characters) and data (in bytes).
    virtual LSTATUS QueryInfoKey(HKEY key, DWORD* valueCount, DWORD* maxValueNameLength, DWORD* maxValueDataSize);
    virtual LSTATUS CloseKey(HKEY key);
};

// The system's registry.
RegistryApi& SystemRegistry();

// A key opened through a RegistryApi, closed through the same one when it goes.
class OpenedKey {
public:
    explicit OpenedKey(RegistryApi& api) : api_(api) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (key_) api_.CloseKey(key_);
    }
    HKEY get() const { return key_; }
    HKEY* put() { return &key_; }

private:
    RegistryApi& api_;
    HKEY key_ = nullptr;
};

}  // namespace velmora
