// Taking paths apart, cutting texts at their first NUL, and finding the program that opens a
// document.
#pragma once

#include <string>

namespace velmora {

enum class PathSelector { Drive = 0, Folder = 1, BaseName = 2, Extension = 3 };

// One part of a path. Only "\" separates folders; the drive is the first two characters when
// the second is ":". C:\Program Files\App\app.exe gives "C:", "\Program Files\App\", "app"
// and ".exe"; a URL has no backslash, so its base name is everything up to its last dot.
std::wstring PathPart(const std::wstring& path, PathSelector selector);
// The same with the selector as a number, 0 to 3; another number throws std::invalid_argument.
std::wstring PathPart(const std::wstring& path, int selector);

// The characters before the first NUL, or the whole text when it has none.
std::wstring TextBeforeNul(const std::wstring& text);

// Full path of the program registered to open the document; empty when there is none.
std::wstring FindAssociatedProgram(const std::wstring& document);

}  // namespace velmora
