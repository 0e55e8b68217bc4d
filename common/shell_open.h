// Opening a web address, an e-mail address or a document with the user's default program, through
// the shell, behind a seam: the programs call the shell, tests answer with the result
// they want (31, no program associated; 2, file not found; above 32, success) and see the calls.
// The maker's web site and support e-mail address live here too, in this one place, with the one
// rule that the menu and the about box share for them: only result 31 is reported, as "Oops!".
#pragma once

#include "texts/shared_texts.h"
#include "common/prompts.h"

#include <windows.h>

#include <string>

namespace velmora {

// The maker's addresses, on a domain reserved for examples, shown by the about box and opened by
// it and by "&More Free Software".
inline constexpr const wchar_t* kMakerWebSite = L"https://www.example.com/corvale/";
inline constexpr const wchar_t* kSupportEmail = L"support@example.com";

// The shell's answer when no program is associated with the target (SE_ERR_NOASSOC).
inline constexpr INT_PTR kShellNoAssociation = 31;

class ShellApi {
public:
    virtual ~ShellApi() = default;
    // ShellExecuteW(owner, verb, target, no parameters, no directory, SW_SHOWDEFAULT): above 32 is
    // success, 32 and below are the shell's error codes.
    virtual INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& target);
};

// The system's shell.
ShellApi& SystemShell();

// Opens target with the "open" verb; answers the shell's result.
INT_PTR ShellOpen(ShellApi& shell, HWND owner, const std::wstring& target);

// Opens the maker's web site; a result of exactly 31 shows "Oops!" / "Could not start your web
// browser." (OK, exclamation), any other result nothing. Answers the shell's result.
INT_PTR OpenMakerWebSite(ShellApi& shell, Prompts& prompts, HWND owner);

// Opens "mailto:" + the support address; a result of exactly 31 shows "Oops!" / "Could not start
// your email program." (OK, exclamation), any other result nothing. Answers the shell's result.
INT_PTR OpenSupportEmail(ShellApi& shell, Prompts& prompts, HWND owner);

}  // namespace velmora
