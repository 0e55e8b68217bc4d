// Whole registry trees as maps, for comparing what a run wrote or left alone.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace velmora::testing {

// Every text value below a key (the key itself included), by "subkey|name"; a value that is not
// a text shows as "<not a text>". Keys without values do not show.
std::map<std::wstring, std::wstring> DumpTexts(HKEY root, const std::wstring& path);

// Every key and value below "Software" of the current user and of the machine: each key by its
// path (with an empty text), each value by "path|name" with its type and data.
std::map<std::wstring, std::wstring> DumpRegistry();

}  // namespace velmora::testing
