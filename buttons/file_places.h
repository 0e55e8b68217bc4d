// Where the files Velmora makes for its buttons lie: a program or disk icon's own ".ico" copy in
// "icons\", a shortcut that carries parameters in "shortcuts\". They go beside the program when its
// folder can be written (the unpacked zip, or an install a user may write to). When it cannot (an
// install under "Program Files" run by a standard user), a "Current User" button's files go to the
// user's own folder and an "All Users" button's to a folder of the machine that every user reads.
// The library icons stay beside the program in every case.
#pragma once

#include "buttons/button.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The folders of a place that hold Velmora's files, each ending in a backslash: the buttons' icon
// files (and, beside the program, the library icons), and the shortcuts that carry parameters.
std::wstring IconsFolderOf(const std::wstring& place);
std::wstring ShortcutsFolderOf(const std::wstring& place);

// The library icons shipped in the program's icons folder: number n (1 to 25) as a normal (grey)
// file "ngr.ico" and a hot (colour) file "n.ico".
std::wstring LibraryIconFile(const std::wstring& programFolder, long long number);
std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number);
// The library number a stored number stands for: 1 to 25 as it is, anything else library icon 1.
long long LibraryNumberOrFirst(long long number);
// The library icon a pair of icon files names by their file names ("ngr.ico" and "n.ico", in any
// folder); 0 when they are not such a pair.
int LibraryNumberOfPair(const std::wstring& icon, const std::wstring& hotIcon);
// Whether a file name is one of the library icons' (1.ico to 25.ico, 1gr.ico to 25gr.ico), without
// regard to case.
bool IsLibraryIconName(const std::wstring& fileName);

struct FilePlaces {
    // Each folder ends in a backslash; an empty one is not known (no such known folder).
    std::wstring programFolder;  // holds the library icons, and the buttons' files when writable
    std::wstring userFolder;     // %LOCALAPPDATA%\Velmora\: "Current User" buttons' files otherwise
    std::wstring machineFolder;  // %ProgramData%\Velmora\: "All Users" buttons' files otherwise
    bool programFolderWritable = true;
    // Whether the machine's folder may take files: not a link, and not open to changes by users
    // who are not administrators (a standard user may make folders in %ProgramData%, and plant one
    // there for an administrator's Velmora to write into). Where it may not, "All Users" buttons'
    // files are tried beside the program, and a refusal is reported there.
    bool machineFolderSafe = true;

    // Every file beside the program, as a folder that can be written has it.
    static FilePlaces BesideProgram(std::wstring programFolder) { return {std::move(programFolder), L"", L"", true}; }

    // The folder whose "icons\" and "shortcuts\" take a new file of a button of this scope.
    std::wstring FolderFor(ButtonScope scope) const;
    // Every folder whose "icons\" and "shortcuts\" hold files Velmora made: the program's first.
    std::vector<std::wstring> OwnFolders() const;
    // Whether a button of this scope can go on using a file it has where it is. The user's place
    // holds "Current User" buttons' files only (no other user can read it), the machine's place
    // "All Users" buttons' files only (only an administrator can delete them); a file anywhere else
    // (beside the program, or where an earlier version put it) stays where it is.
    bool KeepsFileThere(const std::wstring& file, ButtonScope scope) const;
};

// The places of this machine for a program in programFolder (ending in a backslash): the folders
// %LOCALAPPDATA% and %ProgramData% name, and whether the program's folder can be written, found by
// making a file there that is deleted when it is closed (in "icons\" and "shortcuts\" too, where
// they are).
FilePlaces FindFilePlaces(const std::wstring& programFolder);
// The same places without the test of the program's folder (counted as writable): enough to tell
// Velmora's own files, for whatever only reads.
FilePlaces OwnFilePlaces(const std::wstring& programFolder);

// The two kinds of files Velmora makes for a button, each in a folder of its own in every place.
enum class OwnFileKind { Icon, Shortcut };
std::wstring FolderOfKind(const std::wstring& place, OwnFileKind kind);

// Which of Velmora's own folders holds path: directly in "icons\" or "shortcuts\" of one of the
// places, judged by the file the path opens; never a library icon (1.ico to 25.ico, 1gr.ico to
// 25gr.ico), never a name with ':' (a stream such as "5.ico::$DATA" opens the library file itself;
// Velmora's names hold none), and never a path that passes through a symbolic link or junction
// from the place down (the place, its folder or the file itself): what such a link leads to is
// not Velmora's. Nothing for any other path.
std::optional<OwnFileKind> OwnFileKindOf(const FilePlaces& places, const std::wstring& path);

// Whether path is one of Velmora's own files, which a button whose record names it may take with
// it when it goes: OwnFileKindOf tells a kind. A file that no button names is Velmora's to remove
// only when it is on the list of files Velmora made (the stored layout keeps it per account).
bool IsOwnButtonFile(const FilePlaces& places, const std::wstring& path);

// Whether the file or folder at path, or a folder above it up to and with stopAt (a folder ending
// in a backslash that path lies in), is a symbolic link, a junction or another reparse point.
bool PassesThroughLink(const std::wstring& path, const std::wstring& stopAt);

// Makes the folder (ending in a backslash) and the missing ones above it; answers whether it is
// there now. The folders it made are added to made, the outermost first.
bool MakeFolderChain(const std::wstring& folder, std::vector<std::wstring>& made);
// The same for a folder of the places: the machine's folder, when it is made, gets an access list
// of its own (administrators and the system may change it, users only read it).
bool MakeFolderChain(const std::wstring& folder, std::vector<std::wstring>& made, const FilePlaces& places);

// Whether a folder that exists may hold files for every user of the machine: it is no link, it
// belongs to the administrators or the system (or to this user when this user is an
// administrator), and no one else may change what is in it.
bool IsAdministratorsFolder(const std::wstring& folder);

// Removes one of Velmora's own files, to the Recycle Bin where its volume has one; answers
// whether it is gone.
bool RecycleFile(const std::wstring& path);

}  // namespace velmora
