// The file dialogs of the editor: open, for the file to launch, icon files and imports; save, for
// exports.
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

// The save dialog, proposing fileName in initialFolder; the extension of the filter's first pattern
// is added to a name typed without one, and replacing a file is asked first. Answers the chosen
// file's full path, or an empty text when the user cancels.
std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& title,
                            const std::wstring& initialFolder, const std::wstring& fileName);

}  // namespace velmora
