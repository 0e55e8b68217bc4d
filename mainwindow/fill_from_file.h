// Filling the editor's fields from one file: a file or a piece of text dropped on the drop area,
// or the file named on the program's command line. Filling adds nothing: the button is added
// when the user clicks "Add Button", which the drag-and-drop notice tells the user first.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "common/prompts.h"
#include "mainwindow/editor_fields.h"
#include "settings/reg_settings.h"

#include <string>

namespace velmora {

// A drop on the drop area of the path taken from the dropped data (the first file, or the
// text). The notice comes first, unless turned off; a shortcut gives its target, its arguments
// when it has any, and its own name as the three texts; any other path is the file to launch with
// the texts derived from it. "Use Program Icon" takes the new file's icon. Answers whether the
// fields were filled (false for an empty path, which changes nothing); the window then puts the
// focus on "Add Button".
bool DropOnEditor(EditorFields& fields, EditorPrompts& prompts, CRegSettings& preferences, const std::wstring& path);

// The file named on the command line at start-up: commandLine is everything after the program's
// own name, taken as one path less one pair of enclosing double quotes (never split at spaces);
// when it names several files, quoted as the shell passes them, the first. Filled as a drop is, except that the three
// texts all end as the file's name and the parameters are always set (emptied when the file is no shortcut with
// arguments); the focus is not moved. A command line of blanks only changes nothing.
void FillFromFile(EditorFields& fields, EditorPrompts& prompts, CRegSettings& preferences,
                  const std::wstring& commandLine);

}  // namespace velmora
