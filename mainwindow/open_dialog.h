// The open-file dialog of the editor, for the file to launch and for icon files.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// A filter of description and pattern pairs, each item followed by "|" (the last "|" may be
// missing), as the dialog wants it: every "|" a NUL, the list ending in two NULs.
std::wstring OpenDialogFilter(std::wstring filter);

// Shows the dialog with the given title, opening in initialFolder, for an existing file. Answers
// the chosen file's full path with blanks around it removed, or an empty text when the user
// cancels. Paths up to the longest Windows accepts are taken.
std::wstring ShowOpenDialog(HWND owner, const std::wstring& filter, const std::wstring& title,
                            const std::wstring& initialFolder);

}  // namespace velmora
