// Names for the files a button owns: its icon file in the program's "icons\" folder and its
// shortcut file in "shortcuts\". The name comes from what the user typed (a program, a document,
// a URL or an icon file), so it is made safe to save and never takes a name already in use.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// The longest base name the program gives a file of its own, so that full paths stay short.
inline constexpr size_t kMaxButtonFileBaseName = 100;

// A base name that Windows can save as it is, inside the folder it is meant for: characters a file
// name cannot hold (< > : " / \ | ? * and control characters) become "_", so do trailing dots and
// blanks (Windows would drop them; ".." becomes "__"); an empty name becomes "_"; a device name
// such as CON or "nul.txt" gets a "_" in front; the result has at most kMaxButtonFileBaseName
// characters. Ordinary names come back unchanged.
std::wstring SafeFileBaseName(const std::wstring& baseName);

// folder + SafeFileBaseName(baseName) + extension when that name is free, else the first free one
// of the names with " (2)", " (3)", ... before the extension. folder ends in "\". A name is taken
// when it is one of the library icons shipped in the icons folder (1.ico to 25.ico and 1gr.ico to
// 25gr.ico, only for the extension ".ico") or when an entry of filesOfOtherButtons names the same
// path, compared without regard to case as Windows does. A file on disk that no other button uses
// is free: a button made again for the same program replaces its own old file.
std::wstring ChooseButtonFilePath(const std::wstring& folder, const std::wstring& baseName,
                                  const std::wstring& extension,
                                  const std::vector<std::wstring>& filesOfOtherButtons);

}  // namespace velmora
