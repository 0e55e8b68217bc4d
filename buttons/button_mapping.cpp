#include "buttons/button_mapping.h"

#include "buttons/button_file_names.h"
#include "buttons/path_parts.h"
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
        record.icon = kRecordIconDisk;
        record.iconFile = button.iconFile;
        break;
    case IconKind::Program:
        record.icon = kRecordIconProgram;
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

SlotContents SlotFor(const Button& button, const std::wstring& programFolder) {
    return {button.scope, EntryFor(button, programFolder), RecordFor(button, programFolder)};
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
    if (record.icon == kRecordIconProgram) {
        button.iconKind = IconKind::Program;
        // The icon file value names a program icon's file when it had to take a numbered name. A value the
        // naming rule cannot have given this program's icon is left over from an earlier disk icon.
        bool ownName = false;
        for (const std::wstring& place : places.OwnFolders()) {
            ownName = ownName || IsButtonFilePathFor(record.iconFile, IconsFolderOf(place),
                                                     PathPart(record.program, PathSelector::BaseName), L".ico");
        }
        button.iconFile = ownName ? record.iconFile : ProgramIconFile(places.programFolder, record.program);
    } else if (record.icon == kRecordIconDisk) {
        button.iconKind = IconKind::Disk;
        button.iconFile = record.iconFile;
    } else {
        button.libraryNumber = LibraryNumberOrFirst(LeadingNumber(record.icon));
    }
    return button;
}

Button ButtonFromCopies(const FoundEntry& entry, const FoundRecord* record, ButtonScope scope) {
    auto recordText = [record](std::optional<std::wstring> FoundRecord::*text) {
        return record ? record->*text : std::nullopt;
    };
    Button button;
    button.scope = scope;
    const std::wstring program = recordText(&FoundRecord::program).value_or(L"");
    button.fileToLaunch = program.empty() ? entry.exec.value_or(L"") : program;
    button.parameters = program.empty() ? L"" : recordText(&FoundRecord::arguments).value_or(L"");
    button.buttonText = entry.buttonText.value_or(
        recordText(&FoundRecord::buttonText).value_or(PathPart(button.fileToLaunch, PathSelector::BaseName)));
    button.menuText = entry.menuText.value_or(recordText(&FoundRecord::menuText).value_or(button.buttonText));
    button.statusBarText =
        entry.menuStatusBar.value_or(recordText(&FoundRecord::menuStatusBar).value_or(button.buttonText));
    return button;
}

std::wstring ProgramIconFile(const std::wstring& programFolder, const std::wstring& program) {
    return ButtonFilePath(IconsFolderOf(programFolder), SafeFileBaseName(PathPart(program, PathSelector::BaseName)),
                          L"", L".ico");
}

}  // namespace velmora
