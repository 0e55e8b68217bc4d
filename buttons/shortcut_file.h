// Shell shortcut files (.lnk): how a button passes command-line parameters. The browser entry
// names a shortcut that holds the target and its arguments.
#pragma once

#include <string>

namespace velmora {

inline constexpr const wchar_t* kShortcutDescription = L"ShellLink Sample";

// Writes (or replaces) a shortcut. The working folder and the arguments are set only when given,
// the icon location only when iconFile is given. False when either path is empty, any path is
// longer than kMaxShellPath, or any step fails.
bool CreateShortcutFile(const std::wstring& linkPath, const std::wstring& targetPath, const std::wstring& workingFolder,
                        const std::wstring& arguments, const std::wstring& iconFile, int iconNumber, int showCommand);

struct ShortcutContents {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring arguments;
    std::wstring iconFile;
    int iconNumber = 0;
    int showCommand = 0;
};

// Reads a shortcut through the shell's link object. False when the path is empty or too long, or
// the file cannot be read as a shortcut; contents is then left as it was.
bool ReadShortcutFile(const std::wstring& linkPath, ShortcutContents& contents);

}  // namespace velmora
