// What a check of the buttons finds: one finding per thing that is wrong, each with what the user
// reads (what is wrong and what a repair will do) and what the repair then does.
#pragma once

#include "buttons/button.h"

#include <string>
#include <vector>

namespace velmora {

// What a repair does about a finding. None: the user has to (edit or delete the button, install
// Velmora again).
enum class Fix {
    None,
    WriteEntry,          // the row's browser entry, written again from the button as mended
    WriteRecord,         // the row's record, written again from the button as mended (a lost value taken back)
    LibraryIconOne,      // a disk icon whose file is gone or empty: the button takes library icon 1
    MakeProgramIcon,     // the program icon's file, made again from the program
    MakeShortcut,        // the shortcut, made again from the record's file to launch and parameters
    RemoveEntry,         // a slot's entry under one root (for the machine's root, both views)
    RemoveRecord,        // a slot's record
    WriteCount,          // the count, written as the number of listed buttons
    MoveEarlierRecords,  // the earlier version's records, written to Velmora's place and removed
    RemoveFile,          // a file Velmora made for this account that no button uses
};

struct Finding {
    int row = -1;          // the listed button (from 0), or -1 for the slots and files as a whole
    std::wstring problem;  // what is wrong
    std::wstring repair;   // what a repair will do, or what the user has to do
    std::wstring done;     // what a repair did, as its report says it
    Fix fix = Fix::None;
    int slot = -1;             // the slot of RemoveEntry and RemoveRecord
    bool machineRoot = false;  // RemoveEntry: under HKEY_LOCAL_MACHINE rather than HKEY_CURRENT_USER
    std::wstring file;         // RemoveFile

    bool repairable() const { return fix != Fix::None; }
    // The line the user reads.
    std::wstring Text() const { return problem + L" " + repair; }
    // Findings of one kind share their fix and whether they concern a listed button: a report shows
    // a screenful of each kind.
    std::wstring Kind() const { return std::to_wstring(static_cast<int>(fix)) + (row < 0 ? L"" : L" row"); }
};

// The outcome of one check: how many buttons are listed and what is wrong.
struct ButtonCheck {
    int buttons = 0;
    std::vector<Finding> findings;
    // What the check saw and leaves alone on purpose (files it did not make, another account's
    // entries, links): information, not findings, so that a sound set of buttons still checks clean.
    std::vector<std::wstring> notes;
    // Each listed button as a repair writes it: a value one stored copy lost taken back from the
    // other, a disk icon that is gone replaced by library icon 1.
    std::vector<Button> mended;

    bool AnyRepairable() const;
    // One line per finding, or the one line that says that all buttons are in order; the notes after
    // them.
    std::vector<std::wstring> ReportLines() const;
};

}  // namespace velmora
