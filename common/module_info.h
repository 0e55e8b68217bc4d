// Facts about the running program: its folder and the product name in its version resource.
#pragma once

#include <string>

namespace velmora {

// Full path of the running program file.
std::wstring ProgramPath();

// The folder of the running program, always ending in one backslash.
std::wstring ProgramFolder();

// Appends a backslash to a folder path unless it already ends in one.
std::wstring WithTrailingBackslash(std::wstring folder);

// ProductName from the running program's version resource; the program file's name without
// its extension when the program carries no such resource.
std::wstring ProductName();

}  // namespace velmora
