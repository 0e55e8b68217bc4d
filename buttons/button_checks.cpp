#include "buttons/button_checks.h"

#include "buttons/toolbar_entry.h"

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

std::optional<DraftRefusal> CheckButtonDraft(const ButtonDraft& draft, bool programIconTaken,
                                             const std::wstring& programFolder, Prompts& prompts) {
    const Button& button = draft.button;
    const UINT critical = MB_OK | MB_ICONSTOP;
    auto refuse = [&](const wchar_t* text, std::optional<DraftField> focus, bool selectAll = false) {
        prompts.Message(text, kProblemTitle, critical);
        return DraftRefusal{focus, selectAll};
    };
    if (button.fileToLaunch.empty()) {
        return refuse(L"Please specify a valid file name in the \"File to Launch\" field.", DraftField::FileToLaunch,
                      true);
    }
    if (button.iconKind == IconKind::Program && !programIconTaken) {
        prompts.Message(kNoIconFoundText, kNoIconFoundTitle, critical);
        return DraftRefusal{DraftField::FileToLaunch, true, true};
    }
    // Parameters reach a program through a shortcut file, which cannot point at a web address.
    if (!button.parameters.empty() && ::PathIsURLW(button.fileToLaunch.c_str())) {
        return refuse(L"Command line parameters cannot be passed to a web address. Put them into the address itself, "
                      L"or empty the \"Command Line Parameters\" field.",
                      DraftField::Parameters, true);
    }
    if (button.iconKind != IconKind::Program &&
        (!OrdinaryFileExists(LibraryIconFile(programFolder, button.libraryNumber)) ||
         !OrdinaryFileExists(LibraryHotIconFile(programFolder, button.libraryNumber)))) {
        return refuse(L"One or all of the files needed to display the selected icon for this button could not be "
                      L"found. You may need to reinstall the program or contact Corvale Software to rectify this "
                      L"problem. The button will not be added.",
                      std::nullopt);
    }
    if (button.buttonText.empty()) {
        return refuse(L"The \"Button Text\" field is empty. Please specify some text to be used as the caption for the "
                      L"button you are adding.",
                      DraftField::ButtonText);
    }
    if (button.menuText.empty()) {
        return refuse(L"The \"Menu Text\" field is empty. Please specify the text for the menu command to be added to "
                      L"I.E.'s \"Tools\" menu in association with the button you are adding.",
                      DraftField::MenuText);
    }
    if (button.statusBarText.empty()) {
        const int answer = prompts.Message(
            L"The \"Status Bar Text\" field is empty. If you continue, no text will be displayed in I.E.'s status bar "
            L"when the mouse cursor is over the \"Tools\" menu command associated with the button you are adding. "
            L"Click \"OK\" to continue or \"Cancel\" to go back and specify some text.",
            L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer != IDOK) return DraftRefusal{DraftField::MenuStatusBar, false};
    }
    return std::nullopt;
}

}  // namespace velmora
