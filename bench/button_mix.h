// The buttons the start-up benchmark records for the editor, one slot at a time, so that the
// shaped window can show the same rows with icons taken from the same files. The icon kinds take
// turns: a library icon, a program's own icon, an icon file on disk (one of the library files).
// Every fourth button is for all users, every fifth carries parameters.
#pragma once

#include "buttons/button.h"

#include <string>

namespace velmora::bench {

using velmora::IconKind;

struct MixedButton {
    IconKind kind = IconKind::Library;
    int number = 1;         // 1 to 25: the library icon, and the number in the button's texts
    std::wstring program;   // the file to launch
    std::wstring iconFile;  // a disk icon's file, else empty
    std::wstring buttonText;
    std::wstring menuText;
    std::wstring menuStatusBar;
    std::wstring arguments;  // with the shortcut that carries them, every fifth button
    std::wstring link;
    bool allUsers = false;
};

// The button of slot `slot` (from 0) for the editor whose folder (ending in a backslash) is
// programFolder.
MixedButton MixedButtonAt(int slot, const std::wstring& programFolder);

}  // namespace velmora::bench
