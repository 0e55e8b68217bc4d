// "Import Buttons": the buttons a registry file describes, added one by one through the operation
// "Add Button" uses, with the editor's checks, naming rule, files, slots and limit. The file is
// input, never a script: only what a button needs is read from it, and nothing of it is applied to
// the registry; its other keys, values and deletions are left alone.
//
// A button is a key ...\Microsoft\Internet Explorer\Extensions\{GUID} under HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE (either view; a key in both views is one button) whose class value is the toolbar
// button's class and which has a launch value (a key of that place that is none, and a key elsewhere
// that holds a button's values, is reported with the reason). Velmora's record for the same slot, when the file holds
// it, gives the file to launch, the parameters and the icon kind.
#pragma once

#include "buttons/button_list.h"
#include "buttons/button_operations.h"
#include "regfile/reg_file.h"
#include "settings/registry_stores.h"
#include "transfer/transfer_paths.h"
#include "transfer/transfer_report.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// One button as the file gives it, before its icon is chosen.
struct ButtonInFile {
    Button button;  // what it launches, its texts and its scope; DraftForButton chooses its icon
    std::optional<std::wstring> recordIcon;  // the record's icon value ("program", "disk", a number); none without one
    std::wstring recordIconFile;             // the record's icon file value
    std::wstring entryIcon;                  // the entry's two icon values
    std::wstring entryHotIcon;
};

struct ButtonsInFile {
    std::wstring file;                  // the file's full path
    std::vector<ButtonInFile> buttons;  // in the order their entries first appear
    size_t otherKeys = 0;               // keys and key deletions that are no button's: left alone
    // One line for each key that looks meant as a button (a key of an entry's place, or one that
    // holds a button's values) and is none: its path and why.
    std::vector<std::wstring> notButtons;
    std::vector<RegFileError> errors;  // a button's values that are not texts
    TransferFileNames copyNames;       // the names of the files' copies beside the file
};

// The buttons of a parsed file. Texts the file leaves out are filled as the editor would: the
// button text from the file name, the menu and status-bar texts from the button text.
ButtonsInFile ButtonsFromRegFile(const RegFile& file);

// The button's icon as the editor's fields would hold it: the record's kind when there is one
// and it can be had here; otherwise from the entry: a library pair n.ico / ngr.ico is library
// icon n, an icon file found beside the export (filesFolder\icons\, under the name copyNames
// gives it) or where the entry says is a disk icon, else the program's own icon when it has one,
// else library icon 1.
ButtonDraft DraftForButton(const ButtonInFile& button, const std::wstring& filesFolder,
                           const TransferFileNames& copyNames);

// Reads and checks the file: a report refusing it (not readable, not a valid registry file, a
// button's values of another type, no button at all), or nothing with its buttons in found.
std::optional<TransferReport> RefusalOfImportFile(const std::wstring& file, ButtonsInFile& found);

// Adds the buttons found in file to the list in their order (skipping those listed already) and
// reports how many were added and, one line each, which were not and why.
TransferReport AddButtonsFromFile(const ButtonsInFile& found, ButtonList& list, RegistryStores& stores,
                                  const FilePlaces& places, const std::wstring& file);

// Reads the file, adds its buttons to the list in their order (skipping those listed already),
// and reports how many were added and, one line each, which were not and why. A file that cannot
// be read or is not a valid registry file, or that holds no button, changes nothing.
// The buttons' files go where places says, as the editor's.
TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const FilePlaces& places,
                             const std::wstring& file);
// The same for a program in programFolder (ending in a backslash), with this machine's places
// (FindFilePlaces).
TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const std::wstring& programFolder,
                             const std::wstring& file);

}  // namespace velmora
