#include "common/shell_open.h"

#include <shellapi.h>

namespace velmora {

INT_PTR ShellApi::Execute(HWND owner, const std::wstring& verb, const std::wstring& target) {
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, verb.c_str(), target.c_str(), L"", L"", SW_SHOWDEFAULT));
}

ShellApi& SystemShell() {
    static ShellApi shell;
    return shell;
}

INT_PTR ShellOpen(ShellApi& shell, HWND owner, const std::wstring& target) {
    return shell.Execute(owner, L"open", target);
}

namespace {

INT_PTR OpenOrSayOops(ShellApi& shell, Prompts& prompts, HWND owner, const std::wstring& target,
                      const wchar_t* oopsText) {
    const INT_PTR result = ShellOpen(shell, owner, target);
    if (result == kShellNoAssociation) prompts.Message(oopsText, kOopsTitle, MB_OK | MB_ICONEXCLAMATION);
    return result;
}

}  // namespace

INT_PTR OpenMakerWebSite(ShellApi& shell, Prompts& prompts, HWND owner) {
    return OpenOrSayOops(shell, prompts, owner, kMakerWebSite, kNoBrowserText);
}

INT_PTR OpenSupportEmail(ShellApi& shell, Prompts& prompts, HWND owner) {
    return OpenOrSayOops(shell, prompts, owner, std::wstring(L"mailto:") + kSupportEmail, kNoEmailProgramText);
}

}  // namespace velmora
