#include "tests/support/registry_dump.h"

#include "tests/support/registry_peek.h"

#include <vector>

namespace velmora::testing {

std::map<std::wstring, std::wstring> DumpTexts(HKEY root, const std::wstring& path) {
    std::map<std::wstring, std::wstring> values;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        values[path + L"|" + name] = ReadString(root, path, name).value_or(L"<not a text>");
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    ::RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) values.merge(DumpTexts(root, path + L"\\" + subkey));
    return values;
}

namespace {

void DumpKey(HKEY root, const std::wstring& path, std::map<std::wstring, std::wstring>& dump) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    dump[path] = L"";
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD length = 16384;
        BYTE data[4096];
        DWORD size = sizeof(data);
        DWORD type = 0;
        if (::RegEnumValueW(key, index, name, &length, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        dump[path + L"|" + name] =
            std::to_wstring(type) + L":" + std::wstring(reinterpret_cast<wchar_t*>(data), size / 2);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DumpKey(root, path + L"\\" + name, dump);
    }
    ::RegCloseKey(key);
}

}  // namespace

std::map<std::wstring, std::wstring> DumpRegistry() {
    std::map<std::wstring, std::wstring> dump;
    DumpKey(HKEY_CURRENT_USER, L"Software", dump);
    DumpKey(HKEY_LOCAL_MACHINE, L"Software", dump);
    return dump;
}

}  // namespace velmora::testing
