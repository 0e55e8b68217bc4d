// Taking paths apart, cutting texts at their first NUL, and finding the program that opens a
// document.
#pragma once

#include <windows.h>

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

// The longest path the shell's file calls (ExtractIconEx, FindExecutable, the shell link
// object) are handed: longer ones overrun them, hang them for minutes or end the process.
inline constexpr size_t kMaxShellPath = MAX_PATH - 1;

// Whether a path may be handed to those calls: what they see of it, the text before any NUL,
// has at most kMaxShellPath characters. Callers treat a longer path as a file without an icon,
// without an associated program, or as a shortcut that cannot be written or read.
bool FitsShellPath(const std::wstring& path);

// Full path of the program registered to open the document; empty when there is none (also for
// a document path longer than kMaxShellPath).
std::wstring FindAssociatedProgram(const std::wstring& document);

}  // namespace velmora
