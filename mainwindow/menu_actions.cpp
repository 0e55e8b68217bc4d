#include "mainwindow/menu_actions.h"

#include "common/module_info.h"
#include "common/unique_handles.h"
#include "dialogs/about_box.h"
#include "settings/preferences.h"

#include <exdisp.h>

namespace velmora {

namespace {

// Creates the browser, makes it visible and sends it home; the reference goes at the end, the
// browser window stays open on its own.
HRESULT OpenBrowserOnHomePage(const CLSID& browserClass) {
    // Joins the thread's apartment when the program has one already (vlm starts OLE), makes one
    // otherwise.
    ComApartment apartment;
    ComPtr<IWebBrowser2> browser;
    HRESULT result = ::CoCreateInstance(browserClass, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                        __uuidof(IWebBrowser2), browser.put_void());
    if (FAILED(result)) return result;
    if (!browser) return E_NOINTERFACE;
    result = browser->put_Visible(VARIANT_TRUE);
    if (FAILED(result)) return result;
    return browser->GoHome();
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool mnufileIE_Click(Prompts& prompts, const CLSID& browserClass) {
    if (SUCCEEDED(OpenBrowserOnHomePage(browserClass))) return true;
    prompts.Message(kNoInternetExplorerText, kNoInternetExplorerTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

std::wstring UserGuidePath(const std::wstring& programFolder) {
    return WithTrailingBackslash(programFolder) + kUserGuideFile;
}

void mnuHelpTopics_Click(HWND owner, Prompts& prompts, ShellApi& shell, const std::wstring& programFolder) {
    const std::wstring guide = UserGuidePath(programFolder);
    if (!IsFile(guide)) {
        prompts.Message(UserGuideMissingText(guide), kHelpTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const INT_PTR result = ShellOpen(shell, owner, guide);
    if (result > 32) return;
    prompts.Message(UserGuideNotOpenedText(guide, result), kHelpTitle, MB_OK | MB_ICONEXCLAMATION);
}

bool mnuHelpTipsSU_Click(RegistryApi& registry, const std::wstring& programName, bool ticked) {
    const bool nowTicked = !ticked;
    StoreShowTipsAtStartup(registry, programName, nowTicked);
    return nowTicked;
}

bool mnuHelpTips_Click(EditorPrompts& prompts, bool ticked) {
    return prompts.ShowTipOfTheDay(ticked);
}

void mnuhelpfreesoft_Click(HWND owner, Prompts& prompts, ShellApi& shell) {
    OpenMakerWebSite(shell, prompts, owner);
}

void mnuHelpAbt_Click(HWND owner, ShellApi& shell) {
    AboutBox(shell).ShowModal(owner);
}

}  // namespace velmora
