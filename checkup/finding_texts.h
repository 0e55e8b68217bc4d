// Every text a check and a repair show, in one place. A button is named by its button text (or,
// without one, its file to launch) in quotes; a slot by its place in the list, from 1.
#pragma once

#include "checkup/findings.h"

#include <windows.h>

#include <string>

namespace velmora::texts {

// Where a key is: "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE (64-bit view)".
std::wstring RootName(HKEY root, REGSAM view);

Finding ProgramMissing(int row, const std::wstring& button, const std::wstring& file);
Finding EntryMissing(int row, const std::wstring& button, const std::wstring& where);
// A value the entry has and the record has too, with another text: the record wins.
Finding EntryValueChanged(int row, const std::wstring& button, const std::wstring& where, const std::wstring& value,
                          const std::wstring& now);
// A value the entry lost and the record still has: written back from the record.
Finding EntryValueLost(int row, const std::wstring& button, const std::wstring& where, const std::wstring& value);
// A value the record lost and the entry still has: taken back from the entry.
Finding RecordValueLost(int row, const std::wstring& button, const std::wstring& value, const std::wstring& entryText);
// Neither copy gives a file to launch, or a caption.
Finding NothingToLaunch(int row, const std::wstring& button);
Finding NoCaption(int row, const std::wstring& button);
Finding EntryInOneView(int row, const std::wstring& button, const std::wstring& view);
Finding EntryUnderOtherRoot(int row, const std::wstring& button, const std::wstring& where, int slot, bool machineRoot,
                            const std::wstring& scope);
Finding RecordMissing(int row, const std::wstring& button);
Finding RecordValueChanged(int row, const std::wstring& button, const std::wstring& value, const std::wstring* stored,
                           const std::wstring& listed);
Finding DiskIconGone(int row, const std::wstring& button, const std::wstring& file, bool fileThere);
Finding ProgramIconGone(int row, const std::wstring& button, const std::wstring& file, bool fileThere);
Finding LibraryIconGone(int row, const std::wstring& button, const std::wstring& file);
Finding ShortcutMissing(int row, const std::wstring& button, const std::wstring& link);
Finding ShortcutDiffers(int row, const std::wstring& button, const std::wstring& link, const std::wstring& target,
                        const std::wstring& arguments, const std::wstring& program, const std::wstring& parameters);
// An entry of the current user's root in a slot no listed button has, with its caption and file.
Finding OrphanEntry(int slot, const std::wstring& where, const std::wstring& caption, const std::wstring& exec);
Finding RecordNotListed(int slot, const std::wstring& caption, const std::wstring& program);
Finding CountDiffers(const std::wstring& stored, int listed);
Finding CountPastSlots(const std::wstring& stored);
Finding EarlierRecords();
Finding UnusedFile(const std::wstring& file);

// Notes: what the check leaves alone on purpose.
std::wstring OtherAccountsEntry(int slot, const std::wstring& where, const std::wstring& caption,
                                const std::wstring& exec);
std::wstring FileNotMade(const std::wstring& file);
std::wstring LinkedFolder(const std::wstring& folder);

std::wstring AllInOrder(int buttons);
// A repair that a registry write refused at the place where (RootName).
std::wstring Refused(const std::wstring& where, bool administratorNeeded, bool restored);
// A finding that is still there after a repair tried to mend it.
std::wstring NotMended(const Finding& finding);
inline constexpr const wchar_t* kRepairedHeading = L"Repaired:";
inline constexpr const wchar_t* kRepairBusy =
    L"Another Velmora command is changing the buttons; nothing was repaired. Try again when it has finished.";
inline constexpr const wchar_t* kRemainingHeading = L"Still to do:";

}  // namespace velmora::texts
