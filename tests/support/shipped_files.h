// Files the tests use as they are: the system's own programs, and the library icons shipped beside
// the test program in its "icons" folder.
#pragma once

#include <windows.h>

#include <string>

namespace velmora::testing {

inline std::wstring SystemFile(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

inline std::wstring ShippedLibraryIcon(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program = self;
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"icons\\" + name;
}

}  // namespace velmora::testing
