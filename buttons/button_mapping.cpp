#include "buttons/button_mapping.h"

#include "buttons/button_file_names.h"
#include "buttons/paths.h"
#include "common/file_paths.h"

namespace velmora {

ToolbarEntry EntryFor(const Button& button, const std::wstring& programFolder) {
    ToolbarEntry entry;
    entry.buttonText = button.buttonText;
    entry.exec = button.link.empty() ? button.fileToLaunch : button.link;
    if (button.iconKind != IconKind::Library) {
        entry.icon = entry.hotIcon = button.iconFile;
    } else {
        entry.icon = LibraryIconFile(programFolder, button.libraryNumber);
        entry.hotIcon = LibraryHotIconFile(programFolder, button.libraryNumber);
    }
    entry.menuText = button.menuText;
    entry.menuStatusBar = button.statusBarText;
    return entry;
}

ButtonRecord RecordFor(const Button& button, const std::wstring& programFolder) {
    ButtonRecord record;
    switch (button.iconKind) {
    case IconKind::Library:
        record.icon = std::to_wstring(button.libraryNumber);
        break;
    case IconKind::Disk:
        record.icon = L"disk";
        record.iconFile = button.iconFile;
        break;
    case IconKind::Program:
        record.icon = L"program";
        // A program icon file with another name than the program's own beside the program is
        // remembered, so that the next start finds it.
        if (!SamePathText(button.iconFile, ProgramIconFile(programFolder, button.fileToLaunch))) {
            record.iconFile = button.iconFile;
        }
        break;
    }
    record.program = button.fileToLaunch;
    record.buttonText = button.buttonText;
    record.menuText = button.menuText;
    record.menuStatusBar = button.statusBarText;
    record.scope = ScopeText(button.scope);
    record.arguments = button.parameters;
    record.link = button.link;
    return record;
}

Button ButtonFromRecord(const ButtonRecord& record, const FilePlaces& places) {
    Button button;
    button.fileToLaunch = record.program;
    button.parameters = record.arguments;
    button.buttonText = record.buttonText;
    button.menuText = record.menuText;
    button.statusBarText = record.menuStatusBar;
    button.scope = ScopeFromText(record.scope);
    button.link = record.link;
    if (record.icon == L"program") {
        button.iconKind = IconKind::Program;
        // "Icon File" names a program icon's file when it had to take a numbered name. A value the
        // naming rule cannot have given this program's icon is left over from an earlier disk icon.
        bool ownName = false;
        for (const std::wstring& place : places.OwnFolders()) {
            ownName = ownName || IsButtonFilePathFor(record.iconFile, place + L"icons\\",
                                                     PathPart(record.program, PathSelector::BaseName), L".ico");
        }
        button.iconFile = ownName ? record.iconFile : ProgramIconFile(places.programFolder, record.program);
    } else if (record.icon == L"disk") {
        button.iconKind = IconKind::Disk;
        button.iconFile = record.iconFile;
    } else {
        const long long number = LeadingNumber(record.icon);
        button.libraryNumber = number >= 1 && number <= kLibraryIconCount ? number : 1;
    }
    return button;
}

std::wstring ProgramIconFile(const std::wstring& programFolder, const std::wstring& program) {
    return ButtonFilePath(programFolder + L"icons\\", SafeFileBaseName(PathPart(program, PathSelector::BaseName)), L"",
                          L".ico");
}

}  // namespace velmora
