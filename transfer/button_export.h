// "Export Buttons": a registry file that describes every listed button, in list order, exactly as
// Velmora writes it (the browser entry under the root of the button's scope, the machine's in both
// views; the record; the count), so that "reg import" of it recreates the same buttons, and a copy of
// the icon and shortcut files that are the program's own in the folder beside it. Nothing of the
// program's keys or files changes.
#pragma once

#include "buttons/button_list.h"
#include "buttons/file_places.h"
#include "regfile/reg_file.h"
#include "texts/editor_texts.h"
#include "transfer/transfer_report.h"

#include <string>

namespace velmora {

// The keys and values the file holds for the list, and the comments at its top.
RegFile ExportedRegFile(const ButtonList& list, const std::wstring& programFolder);
// filePlaces are the places (FilePlaces' folders) that hold the buttons' own files.
std::vector<std::wstring> ExportComments(size_t buttons, const std::wstring& programFolder,
                                         const std::vector<std::wstring>& filePlaces,
                                         const std::wstring& filesFolderName);

// Writes the file (replacing one of that name only when the whole file could be written) and
// copies the files. The folder of files beside it is made anew under another name and then put in
// the place of an earlier export's, which goes with everything in it: the files folder matches the
// file. An earlier folder that holds anything an export does not make is left as it is, and said.
// Done in part when a file could not be copied; nothing done when the list is empty or the file
// could not be written.
// The files copied are Velmora's own in any of places (IsOwnButtonFile).
TransferReport ExportButtons(const ButtonList& list, const FilePlaces& places, const std::wstring& file);
// The same for a program in programFolder (ending in a backslash), with this machine's places.
TransferReport ExportButtons(const ButtonList& list, const std::wstring& programFolder, const std::wstring& file);

}  // namespace velmora
