// The editor's preferences: the flags that say whether each one-time notice comes again, under
// the current user's Software\Corvale\Velmora\Messages, and the switch that says whether the tip
// of the day opens at start-up, under Software\VB and VBA Program Settings\<program>\Options.
// Everything is text: the flags "yes" or "no", the switch "1" or "0".
#pragma once

#include "settings/reg_settings.h"

#include <string>

namespace velmora {

// The one-time notices.
enum class Notice {
    AddButton,    // the browser shows a new button after it restarts
    Change,       // a change shows after the browser restarts
    ProgramIcon,  // a program's own icon has no hot and cold looks
    DragAndDrop,  // a drop fills the fields but adds nothing
    Windows11,    // at start-up on Windows 11: no browser there shows the buttons
};

inline constexpr const wchar_t* kMessagesSection = L"Messages";
inline constexpr const wchar_t* kOptionsSection = L"Options";
inline constexpr const wchar_t* kShowTipsValue = L"Show Tips at Startup";

// "Restart IE", "Restart IE2", "Icon Message", "DD Message" or "Windows 11 Message".
const wchar_t* NoticeFlagName(Notice notice);

// Whether the notice is to be shown: its flag reads exactly "yes" (a missing flag counts as
// "yes"; "Yes" or any other text does not).
// preferences is the store RegistryStores::preferences.
bool NoticeWanted(const CRegSettings& preferences, Notice notice);
// Stores "yes" when the notice is to come again, "no" when not; always for the current user. A
// refused write is not reported: the notice then simply comes again.
void StoreNoticeFlag(CRegSettings& preferences, Notice notice, bool showAgain);

// The tips switch of the program named programName (the program file's name without its
// extension): whether the tip of the day opens at start-up. Missing, it reads as "1". Stored
// text that is not a whole number (blanks around it allowed) reads as the default "1" too.
bool ReadShowTipsAtStartup(RegistryApi& registry, const std::wstring& programName);
void StoreShowTipsAtStartup(RegistryApi& registry, const std::wstring& programName, bool show);

}  // namespace velmora
