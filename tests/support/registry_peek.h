// Direct looks at the (redirected) registry, independent of the code under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velmora::testing {

bool KeyExists(HKEY root, const std::wstring& path);
// The text of a REG_SZ value; nothing when the key or value is missing or not REG_SZ.
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const std::wstring& name);
// Writes raw data of any type, creating the key.
void WriteRaw(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD size);
void WriteString(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text);

}  // namespace velmora::testing
