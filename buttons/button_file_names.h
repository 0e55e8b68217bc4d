// Names for the files a button owns: its icon file in the program's "icons\" folder and its
// shortcut file in "shortcuts\". The name comes from what the user typed (a program, a document,
// a URL or an icon file), so it is made safe to save and never takes a name already in use.
#pragma once

#include "buttons/path_parts.h"

#include <string>
#include <vector>

namespace velmora {

// A base name that Windows saves as it is when an extension follows it (".ico", ".lnk"), inside
// the folder it is meant for: characters a file name cannot hold (< > : " / \ | ? * and control
// characters) become "_", and a device name such as CON or "nul.txt" gets a "_" in front.
// Everything else stays as it is, trailing dots and blanks too ("my app." + ".ico" is the file
// "my app..ico"), so the names made by earlier versions are found again. An empty name stays
// empty: ".ico" is a file name Windows accepts, and the one earlier versions made for it.
std::wstring SafeFileBaseName(const std::wstring& baseName);

// folder + safeBaseName + suffix + extension, the base name cut (never inside a character, and
// never to a device name) so that the whole path has at most kMaxShellPath characters; nothing is
// cut from a path that fits. folder ends in "\"; extension is not empty. Every name the program
// gives a file of its own is made here, so that a name made once is made the same way again.
std::wstring ButtonFilePath(const std::wstring& folder, const std::wstring& safeBaseName, const std::wstring& suffix,
                            const std::wstring& extension);

// ButtonFilePath(folder, SafeFileBaseName(baseName), "", extension) when that name is free, else
// the first free one of the names with the suffix " (2)", " (3)", ... A name is taken when it is
// one of the library icons shipped in the icons folder (1.ico to 25.ico and 1gr.ico to 25gr.ico,
// only for the extension ".ico") or when an entry of filesOfOtherButtons names the same file: the
// same path compared without regard to case as Windows does, or, for a file that exists, the same
// file reached through another spelling. A file on disk that no other button uses is free: a
// button made again for the same program replaces its own old file.
std::wstring ChooseButtonFilePath(const std::wstring& folder, const std::wstring& baseName,
                                  const std::wstring& extension, const std::vector<std::wstring>& filesOfOtherButtons);

// Whether path is a name that ChooseButtonFilePath can give a file of baseName in folder: the
// plain name or a numbered one (" (2)", " (3)", ...), compared without regard to case.
bool IsButtonFilePathFor(const std::wstring& path, const std::wstring& folder, const std::wstring& baseName,
                         const std::wstring& extension);

}  // namespace velmora
