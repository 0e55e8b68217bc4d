// The operations on the list of added buttons. Each one changes the list and, in the same go,
// the browser entries and the records, so that all three describe the same buttons.
#pragma once

#include "buttons/button_list.h"
#include "buttons/icon_files.h"
#include "common/prompts.h"
#include "settings/reg_settings.h"

#include <string>

namespace velmora {

inline constexpr const wchar_t* kEarlierAppName = L"Velmora 1.2";
inline constexpr const wchar_t* kDamagedStoreTitle = L"Error";
inline constexpr const wchar_t* kDamagedStoreText =
    L"Velmora found a problem with it's registry settings. Any buttons you have added will be erased. Sorry for "
    L"the inconvenience. If you continue to experience this problem, please contact Corvale Software at the "
    L"email address found in the \"About\" box.";

// The icon file a program-icon button gets when its name is free: the program's base name, made
// safe, in the icons folder (as ChooseButtonFilePath makes it).
std::wstring ProgramIconFile(const std::wstring& programFolder, const std::wstring& program);

class ButtonOperations {
public:
    // settings is the main window's RegSettings; picico the editor's hidden small icon;
    // programFolder ends in a backslash and holds the folders "icons" and "shortcuts".
    ButtonOperations(ButtonList& list, CRegSettings& settings, Prompts& prompts, IconHolder& picico,
                     std::wstring programFolder)
        : list_(list), settings_(settings), prompts_(prompts), picico_(picico), programFolder_(std::move(programFolder)) {}

    // Rebuilds the list from the records (those of the earlier version if they are there),
    // repairs what is broken, and rewrites every browser entry and record from the list.
    void LoadAtStartup();

    // Writes every row's browser entry (under the root of its scope), its record and the count,
    // into the slots 0 to n - 1 of the rows' positions. Never deletes.
    void RewriteAllButtons();

    const std::wstring& programFolder() const { return programFolder_; }

private:
    void EraseDamagedStore();
    void LoadRecord(int slot);

    ButtonList& list_;
    CRegSettings& settings_;
    Prompts& prompts_;
    IconHolder& picico_;
    std::wstring programFolder_;
};

}  // namespace velmora
