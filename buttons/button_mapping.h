// How a button is stored: the browser's toolbar entry and Velmora's record that describe it, and
// the button a record describes. Every conversion between the three lives here.
#pragma once

#include "buttons/button.h"
#include "buttons/stored_layout.h"
#include "buttons/file_places.h"

#include <string>

namespace velmora {

// programFolder ends in a backslash and holds the folders "icons" and "shortcuts".

// The entry the browser reads: the launch value is the shortcut when the button has one; a library icon's
// files are the pair in the icons folder, grey for the normal icon and colour for the hot one.
ToolbarEntry EntryFor(const Button& button, const std::wstring& programFolder);

// The record: the icon value is "program", "disk" or the library number; the icon file value is kept for a disk
// icon, and for a program icon whose file is not the program's own name in the program's icons
// folder (a numbered name, or a file in the user's or the machine's place).
ButtonRecord RecordFor(const Button& button, const std::wstring& programFolder);

// The entry and the record of a button, and the root of its entry, as the slots store them.
SlotContents SlotFor(const Button& button, const std::wstring& programFolder);

// The button a record describes, as stored: a program icon's file is the one the icon file value names
// when the naming rule can have given it in one of the places' icons folders or, without it, the
// program's own name in the program's icons folder; a library number outside 1 to 25 is library
// icon 1. Whether the files are there is for the caller to judge.
Button ButtonFromRecord(const ButtonRecord& record, const FilePlaces& places);

// The button a toolbar entry and, when there is one, the record of its slot describe as a
// registry file gives them, with its icon still to be chosen: the file to launch and its
// parameters are the record's when it names a program, else the entry's launch value without
// parameters; each text is the entry's, else the record's, else (the caption) the base name of
// the file to launch or (the menu and status-bar texts) the caption.
Button ButtonFromCopies(const FoundEntry& entry, const FoundRecord* record, ButtonScope scope);

// The icon file a program-icon button gets when its name is free: the program's base name, made
// safe, in the icons folder (as ChooseButtonFilePath makes it).
std::wstring ProgramIconFile(const std::wstring& programFolder, const std::wstring& program);

}  // namespace velmora
