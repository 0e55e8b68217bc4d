#include "settings/registry_api.h"

namespace velmora {

LSTATUS RegistryApi::OpenKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) {
    return ::RegOpenKeyExW(root, path, 0, access, result);
}

LSTATUS RegistryApi::CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) {
    return ::RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, result, nullptr);
}

LSTATUS RegistryApi::QueryValue(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size) {
    return ::RegQueryValueExW(key, name, nullptr, type, data, size);
}

LSTATUS RegistryApi::SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
    return ::RegSetValueExW(key, name, 0, type, data, size);
}

LSTATUS RegistryApi::DeleteValue(HKEY key, const wchar_t* name) {
    return ::RegDeleteValueW(key, name);
}

LSTATUS RegistryApi::DeleteKey(HKEY key, const wchar_t* subKey, REGSAM view) {
    return ::RegDeleteKeyExW(key, subKey, view, 0);
}

LSTATUS RegistryApi::EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength) {
    return ::RegEnumKeyExW(key, index, name, nameLength, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS RegistryApi::EnumValue(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                               DWORD* dataSize) {
    return ::RegEnumValueW(key, index, name, nameLength, nullptr, type, data, dataSize);
}

LSTATUS RegistryApi::QueryInfoKey(HKEY key, DWORD* valueCount, DWORD* maxValueNameLength, DWORD* maxValueDataSize) {
    return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, valueCount, maxValueNameLength,
                              maxValueDataSize, nullptr, nullptr);
}

LSTATUS RegistryApi::CloseKey(HKEY key) {
    return ::RegCloseKey(key);
}

RegistryApi& SystemRegistry() {
    static RegistryApi system;
    return system;
}

}  // namespace velmora
