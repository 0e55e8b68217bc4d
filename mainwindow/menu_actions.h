// The actions of the main window's menus that are not windows of their own, as free
// functions the menu handlers call with what each needs: a new Internet Explorer window, the
// user guide ("&Contents"), the start-up tips switch, the maker's web site, the tip of the day and
// the about box. Every message goes through Prompts, every shell call through ShellApi, so that
// tests script both.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "texts/editor_texts.h"
#include "common/prompts.h"
#include "common/shell_open.h"
#include "settings/registry_api.h"

#include <windows.h>

#include <string>

namespace velmora {

// The Internet Explorer automation object, class InternetExplorer.
inline constexpr CLSID kInternetExplorerClsid = {
    0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The user guide that ships beside vlm.exe, in place of the help file "vlm.hlp".
inline constexpr const wchar_t* kUserGuideFile = L"vlm.html";

// "&Open New IE Window": creates a new instance of browserClass (Internet Explorer; tests name a
// class that cannot be made), shows it, sends it to its home page and lets it go. Any failure
// shows kNoInternetExplorerText in a "Problem" box (OK, exclamation) and the program goes on.
// Answers whether the window was opened.
bool mnufileIE_Click(Prompts& prompts, const CLSID& browserClass = kInternetExplorerClsid);

// The path of the user guide: programFolder with one backslash appended when it does not end in
// one (a drive root such as "C:\" gets none), then "vlm.html".
std::wstring UserGuidePath(const std::wstring& programFolder);

// "&Contents": opens the user guide beside the program with ShellOpen. When the file is missing
// it says so in a "Help" box (OK, exclamation) and calls no shell; when the shell fails (a result
// of 32 or below) it says that too, in the same kind of box.
void mnuHelpTopics_Click(HWND owner, Prompts& prompts, ShellApi& shell, const std::wstring& programFolder);

// "&Show Tips at Startup": inverts the tick, stores the start-up switch ("1" ticked, "0" not) for
// the program named programName, and answers the new tick for the menu item.
bool mnuHelpTipsSU_Click(RegistryApi& registry, const std::wstring& programName, bool ticked);

// "Tip of the Day": shows the tip window modally, its check box starting with the menu item's
// tick, and answers the tick the menu item takes when the window has closed.
bool mnuHelpTips_Click(EditorPrompts& prompts, bool ticked);

// "&More Free Software": ShellOpen(main window, the maker's web site); a result of exactly 31
// shows "Oops!" / "Could not start your web browser." (OK, exclamation), anything else nothing.
void mnuhelpfreesoft_Click(HWND owner, Prompts& prompts, ShellApi& shell);

// "&About...": shows the about box modally, owned by and centred over the main window.
void mnuHelpAbt_Click(HWND owner, ShellApi& shell);

}  // namespace velmora
