// The texts the editor (vlm) shows in its message boxes and window titles, in one place. The
// captions and tooltips of its controls stand beside their controls in the window's layout.
#pragma once

#include "texts/shared_texts.h"

#include <string>

namespace velmora {

// The main window and its start-up.
inline constexpr const wchar_t* kMainCaption = L"Velmora";
inline constexpr const wchar_t* kAlreadyOpenText = L"This program is already open.";
inline constexpr const wchar_t* kNoIconFolderText =
    L"Velmora could not find it's icon folder. You may need to reinstall the program or contact Corvale Software "
    L"to rectify this problem. The program will now close.";

// Windows 11 has no Internet Explorer, the only browser that shows the buttons: the notice after
// the start-up, and the line above the findings of "Check Buttons..." and "vlm /check".
inline constexpr const wchar_t* kWindows11NoticeCaption = L"Important Message";
inline constexpr const wchar_t* kWindows11NoticeText =
    L"Windows 11 has no Internet Explorer, so the buttons Velmora adds do not show on this computer. They are "
    L"kept, and they show wherever Internet Explorer 11 runs: for example after vlm /export here and vlm /import "
    L"on such a computer. Microsoft Edge does not show them, not even in its Internet Explorer mode.";
inline constexpr const wchar_t* kWindows11CheckLine =
    L"Note: Windows 11 has no Internet Explorer, so these buttons do not show on this computer. They are kept and "
    L"show wherever Internet Explorer 11 runs (for example after vlm /export here and vlm /import there); "
    L"Microsoft Edge does not show them, not even in its Internet Explorer mode.";

// The editor's fields: icons and file dialogs.
inline constexpr const wchar_t* kNoIconFoundTitle = L"No Icon Found";
inline constexpr const wchar_t* kNoIconFoundText = L"No program icon could be found for this file.";
inline constexpr const wchar_t* kNoIconInFileText = L"No icon could be found in this file.";
inline constexpr const wchar_t* kProgramFilesFilter =
    L"Program Files (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*";
inline constexpr const wchar_t* kProgramFilesTitle = L"Select Program File";
inline constexpr const wchar_t* kIconFilesFilter = L"Icon Files (*.ico)|*.ico";
inline constexpr const wchar_t* kIconFilesTitle = L"Select Icon";

// The checks of "Add Button" and "Update", and the questions before a change.
inline constexpr const wchar_t* kListFullTitle = L"Too many buttons.";
inline constexpr const wchar_t* kListFullText =
    L"Cannot add anymore buttons. Velmora can currently only add 20 buttons to I.E.'s toolbar.";
inline constexpr const wchar_t* kNoFileText = L"Please specify a valid file name in the \"File to Launch\" field.";
inline constexpr const wchar_t* kParametersForAddressText =
    L"Command line parameters cannot be passed to a web address. Put them into the address itself, or empty the "
    L"\"Command Line Parameters\" field.";
inline constexpr const wchar_t* kLibraryIconMissingText =
    L"One or all of the files needed to display the selected icon for this button could not be found. You may "
    L"need to reinstall the program or contact Corvale Software to rectify this problem. The button will not be "
    L"added.";
inline constexpr const wchar_t* kNoButtonTextText =
    L"The \"Button Text\" field is empty. Please specify some text to be used as the caption for the button you "
    L"are adding.";
inline constexpr const wchar_t* kNoMenuTextText =
    L"The \"Menu Text\" field is empty. Please specify the text for the menu command to be added to I.E.'s "
    L"\"Tools\" menu in association with the button you are adding.";
inline constexpr const wchar_t* kWarningTitle = L"Warning";
inline constexpr const wchar_t* kNoStatusBarTextText =
    L"The \"Status Bar Text\" field is empty. If you continue, no text will be displayed in I.E.'s status bar "
    L"when the mouse cursor is over the \"Tools\" menu command associated with the button you are adding. Click "
    L"\"OK\" to continue or \"Cancel\" to go back and specify some text.";
inline constexpr const wchar_t* kConfirmUpdateTitle = L"Updating Button";
inline constexpr const wchar_t* kConfirmUpdateText =
    L"This will replace all properties of the currently selected button. Do you wish to continue?";
inline constexpr const wchar_t* kConfirmDeleteTitle = L"Deleting Button";
inline constexpr const wchar_t* kConfirmDeleteText = L"Are you sure you wish to delete the currently selected button?";

// The menus.
// Messages of our own for failures the menus meet.
inline constexpr const wchar_t* kNoInternetExplorerTitle = L"Problem";
inline constexpr const wchar_t* kNoInternetExplorerText =
    L"Velmora could not open a new Internet Explorer window. Internet Explorer may not be installed on this "
    L"computer: current versions of Windows no longer include it.";
inline constexpr const wchar_t* kHelpTitle = L"Help";

// "Export Buttons..." and "Import Buttons...": the dialogs' and the summary box's titles, and the file
// the export proposes. The report's lines are made from the buttons (transfer/).
inline constexpr const wchar_t* kExportTitle = L"Export Buttons";
inline constexpr const wchar_t* kImportTitle = L"Import Buttons";
inline constexpr const wchar_t* kDefaultExportName = L"Velmora buttons.reg";
inline constexpr const wchar_t* kRegFilesFilter = L"Registry Files (*.reg)|*.reg|All Files (*.*)|*.*";
inline constexpr const wchar_t* kNothingToExportText = L"There are no buttons to export.";

// The start-up load.
inline constexpr const wchar_t* kDamagedStoreTitle = L"Error";
// The buttons' lock was not had in time: a command run from the command line is changing them.
inline constexpr const wchar_t* kButtonsBusyText =
    L"Velmora's buttons are being changed by a command (vlm /import or vlm /repair). Nothing was changed; try "
    L"again when it has finished.";
inline constexpr const wchar_t* kButtonsBusyAtStartText =
    L"Velmora's buttons are being changed by a command (vlm /import or vlm /repair) that has not finished. "
    L"Start Velmora again when it has.";

inline constexpr const wchar_t* kDamagedStoreText =
    L"Velmora found a problem with it's registry settings. Any buttons you have added will be erased. Sorry for "
    L"the inconvenience. If you continue to experience this problem, please contact Corvale Software at the "
    L"email address found in the \"About\" box.";
inline std::wstring UserGuideMissingText(const std::wstring& guide) {
    return L"The Velmora user guide could not be found. It should be here, beside the program:\r\n\r\n" + guide +
           L"\r\n\r\nCopy vlm.html into that folder again from the files that came with Velmora.";
}
inline std::wstring UserGuideNotOpenedText(const std::wstring& guide, long long shellResult) {
    return L"The Velmora user guide could not be opened:\r\n\r\n" + guide +
           L"\r\n\r\nWindows could not start a program to show it (error " + std::to_wstring(shellResult) +
           L"). Make sure that a web browser is installed and set to open web pages (.html files).";
}

// What the operations on a button say when they fail. Each message about a file ends with
// NotDoneText; each about the registry with kNothingChangedText or kNotPutBackText.
inline std::wstring NotDoneText(const std::wstring& what, const wchar_t* done) {
    return what + L" The button was not " + done + L".";
}
inline std::wstring IconFolderNotMadeText(const std::wstring& folder) {
    return L"The folder \"" + folder + L"\" for the button's icon file could not be created.";
}
inline std::wstring IconFileNotWrittenText(const std::wstring& file) {
    return L"The icon file \"" + file + L"\" could not be written.";
}
inline std::wstring IconFileNotCopiedText(const std::wstring& source, const std::wstring& copy) {
    return L"The icon file \"" + source + L"\" could not be copied to \"" + copy + L"\".";
}
inline std::wstring ShortcutFolderNotMadeText(const std::wstring& folder) {
    return L"The folder \"" + folder + L"\" for the button's shortcut could not be created.";
}
inline std::wstring ShortcutNotWrittenText(const std::wstring& link) {
    return L"The shortcut \"" + link + L"\" that passes the command line parameters could not be written.";
}
inline std::wstring NotWrittenText(const wchar_t* what) {
    return std::wstring(L"The button could not be ") + what + L": its settings could not be written to the registry.";
}
inline constexpr const wchar_t* kAdministratorAdvice =
    L" Buttons for \"All Users\" can only be added, changed or deleted by an administrator: choose \"Current "
    L"User\", or close Velmora and run it again as an administrator (right-click it and choose \"Run as "
    L"administrator\").";
inline constexpr const wchar_t* kNothingChangedText = L" Nothing was changed.";
inline constexpr const wchar_t* kNotPutBackText = L" Some of the registry settings could not be put back as they were.";
inline constexpr const wchar_t* kNotRemovedText =
    L"The button could not be deleted: its settings could not be removed from the registry.";
inline constexpr const wchar_t* kRunAsAdministratorAdvice =
    L" Close Velmora and run it again as an administrator (right-click it and choose \"Run as administrator\").";
inline std::wstring AllUsersNotDeletedText(const std::wstring& name) {
    return L"The button \"" + name +
           L"\" could not be deleted: it is for \"All Users\", and only an administrator "
           L"can delete it." +
           kRunAsAdministratorAdvice;
}
inline std::wstring AllUsersCannotMoveText(const std::wstring& name) {
    return L"The button could not be deleted: the button \"" + name +
           L"\" after it is for \"All Users\" and has "
           L"to move up one place, which only an administrator can do." +
           kRunAsAdministratorAdvice;
}

}  // namespace velmora
