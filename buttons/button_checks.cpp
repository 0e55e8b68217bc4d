#include "buttons/button_checks.h"

#include "buttons/stored_layout.h"
#include "texts/editor_texts.h"

#include <shlwapi.h>

namespace velmora {

namespace {

// An ordinary file: not a folder, not hidden, not a system file.
bool OrdinaryFileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace

DraftCheck CheckButtonDraft(const ButtonDraft& draft, bool programIconTaken, const std::wstring& programFolder,
                            Prompts& prompts) {
    const Button& button = draft.button;
    const UINT critical = MB_OK | MB_ICONSTOP;
    auto refuse = [&](DraftRefusal refusal, const wchar_t* text, std::optional<DraftField> focus,
                      bool selectAll = false) {
        prompts.Message(text, kProblemTitle, critical);
        return DraftCheck{refusal, focus, selectAll};
    };
    if (button.fileToLaunch.empty()) {
        return refuse(DraftRefusal::NoFileToLaunch, kNoFileText, DraftField::FileToLaunch, true);
    }
    if (button.iconKind == IconKind::Program && !programIconTaken) {
        prompts.Message(kNoIconFoundText, kNoIconFoundTitle, critical);
        return DraftCheck{DraftRefusal::NoProgramIcon, DraftField::FileToLaunch, true};
    }
    // Parameters reach a program through a shortcut file, which cannot point at a web address.
    if (!button.parameters.empty() && ::PathIsURLW(button.fileToLaunch.c_str())) {
        return refuse(DraftRefusal::ParametersForAddress, kParametersForAddressText, DraftField::Parameters, true);
    }
    if (button.iconKind != IconKind::Program &&
        (!OrdinaryFileExists(LibraryIconFile(programFolder, button.libraryNumber)) ||
         !OrdinaryFileExists(LibraryHotIconFile(programFolder, button.libraryNumber)))) {
        return refuse(DraftRefusal::LibraryIconMissing, kLibraryIconMissingText, std::nullopt);
    }
    if (button.buttonText.empty()) {
        return refuse(DraftRefusal::NoButtonText, kNoButtonTextText, DraftField::ButtonText);
    }
    if (button.menuText.empty()) {
        return refuse(DraftRefusal::NoMenuText, kNoMenuTextText, DraftField::MenuText);
    }
    if (button.statusBarText.empty()) {
        const int answer = prompts.Message(kNoStatusBarTextText, kWarningTitle, MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer != IDOK) return DraftCheck{DraftRefusal::NoStatusBarText, DraftField::MenuStatusBar, false};
    }
    return {};
}

}  // namespace velmora
