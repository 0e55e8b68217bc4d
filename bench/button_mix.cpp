#include "bench/button_mix.h"
#include "buttons/file_places.h"

#include <windows.h>

#include <iterator>

namespace velmora::bench {

namespace {

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

}  // namespace

MixedButton MixedButtonAt(int slot, const std::wstring& programFolder) {
    const wchar_t* const programs[] = {L"notepad.exe", L"winemine.exe", L"winefile.exe", L"taskmgr.exe",
                                       L"cmd.exe",     L"clock.exe",    L"regedit.exe"};
    MixedButton button;
    button.number = slot % 25 + 1;
    const std::wstring number = std::to_wstring(button.number);
    switch (slot % 3) {
    case 0:
        button.kind = IconKind::Library;
        button.program = L"C:\\Tools\\tool" + number + L".exe";
        break;
    case 1:
        button.kind = IconKind::Program;
        button.program = SystemProgram(programs[slot % std::size(programs)]);
        break;
    default:
        button.kind = IconKind::Disk;
        button.iconFile = LibraryHotIconFile(programFolder, button.number);
        button.program = L"https://www.example.com/page" + number;
        break;
    }
    button.buttonText = L"Button " + number;
    button.menuText = L"Menu item " + number;
    button.menuStatusBar = L"Starts button " + number;
    if (slot % 5 == 4) {
        button.arguments = L"-x " + number;
        button.link = ShortcutsFolderOf(programFolder) + L"tool" + number + L".lnk";
    }
    button.allUsers = slot % 4 == 3;
    return button;
}

}  // namespace velmora::bench
