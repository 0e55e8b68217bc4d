#include "checkup/button_check.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/icon_files.h"
#include "buttons/path_parts.h"
#include "buttons/shortcut_file.h"
#include "buttons/stored_layout.h"
#include "checkup/finding_texts.h"
#include "common/file_paths.h"
#include "common/unique_handles.h"
#include "common/report_text.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <set>

namespace velmora {

namespace {

bool HoldsIcon(const std::wstring& file) {
    return FileExists(file) && static_cast<bool>(ProgramIconPicture(file, 0, false));
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && SamePathText(text.substr(text.size() - end.size()), end);
}

bool NamesFile(const std::wstring& named, const std::wstring& path) {
    return !named.empty() && (SamePathText(named, path) || IsSameFile(named, path));
}

// The names of the files directly in a folder, folders left out.
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

// The program a shortcut starts and its parameters; nothing when it cannot be read.
std::optional<ShortcutContents> ShortcutOf(const std::wstring& link) {
    ShortcutContents contents;
    if (link.empty() || !FileExists(link) || !ReadShortcutFile(link, contents)) return std::nullopt;
    return contents;
}

class Checker {
public:
    Checker(const StoredButtons& stored, const FilePlaces& places)
        : stored_(stored), places_(places), folder_(places.programFolder) {}

    ButtonCheck Run() {
        check_.buttons = static_cast<int>(stored_.buttons.size());
        check_.mended = stored_.buttons;
        if (stored_.earlierVersion()) Add(texts::EarlierRecords());
        for (int row = 0; row < check_.buttons && IsValidSlot(row); ++row) CheckRow(row);
        CheckSlots();
        for (const std::wstring& place : places_.OwnFolders()) {
            CheckFiles(place, OwnFileKind::Icon, L".ico");
            CheckFiles(place, OwnFileKind::Shortcut, L".lnk");
        }
        return std::move(check_);
    }

private:
    void Add(Finding finding) { check_.findings.push_back(std::move(finding)); }

    // The entry a row's button is compared with: under the root of its scope, the 64-bit view
    // first for the machine's root.
    const SettingsSnapshot::Key* EntryOf(int index, ButtonScope scope) const {
        if (!ForAllUsers(scope)) return stored_.Entry(index, HKEY_CURRENT_USER, 0);
        const SettingsSnapshot::Key* key = stored_.Entry(index, HKEY_LOCAL_MACHINE, kMachineViews[0]);
        return key ? key : stored_.Entry(index, HKEY_LOCAL_MACHINE, kMachineViews[1]);
    }

    void CheckRow(int index) {
        // The earlier version's records are moved as they are; only Velmora's own are compared.
        std::set<std::wstring> settled;
        if (!stored_.earlierVersion()) TakeBackLostValues(index, settled);
        Button& button = check_.mended[index];
        const ButtonRecord& record = stored_.records[index];
        const std::wstring name = ButtonName(button);
        if (button.fileToLaunch.empty()) Add(texts::NothingToLaunch(index, name));
        if (button.buttonText.empty()) Add(texts::NoCaption(index, name));
        if (IsCheckedPath(button.fileToLaunch) && !FileExists(button.fileToLaunch)) {
            Add(texts::ProgramMissing(index, name, button.fileToLaunch));
        }

        // The icon first: a disk icon that is gone changes what the entry and the record say.
        bool libraryIconOne = false;
        if (record.icon == kRecordIconDisk && button.iconKind != IconKind::Disk && !settled.count(L"icon")) {
            Add(texts::DiskIconGone(index, name, record.iconFile, FileExists(record.iconFile)));
            libraryIconOne = true;
        } else if (button.iconKind == IconKind::Disk && !HoldsIcon(button.iconFile)) {
            Add(texts::DiskIconGone(index, name, button.iconFile, FileExists(button.iconFile)));
            libraryIconOne = true;
        } else if (button.iconKind == IconKind::Program && !HoldsIcon(button.iconFile)) {
            Add(texts::ProgramIconGone(index, name, button.iconFile, FileExists(button.iconFile)));
        } else if (button.iconKind == IconKind::Library) {
            for (const std::wstring& file :
                 {LibraryIconFile(folder_, button.libraryNumber), LibraryHotIconFile(folder_, button.libraryNumber)}) {
                if (!FileExists(file)) Add(texts::LibraryIconGone(index, name, file));
            }
        }
        if (libraryIconOne) {
            button.iconKind = IconKind::Library;
            button.iconFile.clear();
            button.libraryNumber = 1;
        }
        CheckShortcut(index, name, button);
        if (!stored_.earlierVersion()) CheckRecord(index, name, button, libraryIconOne, settled);
        CheckEntry(index, name, button, libraryIconOne, settled);
    }

    // Two stored copies of one button, its record and its browser entry: where one of them lost a
    // value the other still has, the copy that has it is the source. A value missing from the
    // record is taken back from the entry (into the button a repair writes); a value missing from
    // the entry is written back from the record by the entry's own finding. Only a value present
    // in both and different is an edit, and the record wins. The values settled here are named in
    // settled, so that no later comparison reports them again.
    void TakeBackLostValues(int index, std::set<std::wstring>& settled) {
        const SettingsSnapshot::Key* recordKey = stored_.Record(index);
        Button& button = check_.mended[index];
        if (!recordKey) return;
        const FoundRecord record = FoundRecordOf(*recordKey);
        const std::wstring name = ButtonName(button);

        // Whose root the entry is under, when the record lost its scope.
        if (!record.scope && !stored_.Entry(index, HKEY_CURRENT_USER, 0) && EntryOf(index, ButtonScope::AllUsers)) {
            button.scope = ButtonScope::AllUsers;
            Add(texts::RecordValueLost(index, name, RecordValueName(&ButtonRecord::scope), kScopeAllUsers));
            settled.insert(RecordValueName(&ButtonRecord::scope));
        }
        const SettingsSnapshot::Key* entryKey = EntryOf(index, button.scope);
        if (!entryKey) return;
        const FoundEntry entry = FoundEntryOf(*entryKey);

        auto takeBack = [&](std::wstring ButtonRecord::*recordText, std::wstring Button::*buttonText,
                            const std::optional<std::wstring>& entryText) {
            const wchar_t* value = RecordValueName(recordText);
            if (!KeyText(*recordKey, value) && entryText) {
                button.*buttonText = *entryText;
                Add(texts::RecordValueLost(index, ButtonName(button), value, *entryText));
                settled.insert(value);
            }
        };
        takeBack(&ButtonRecord::buttonText, &Button::buttonText, entry.buttonText);
        takeBack(&ButtonRecord::menuText, &Button::menuText, entry.menuText);
        takeBack(&ButtonRecord::menuStatusBar, &Button::statusBarText, entry.menuStatusBar);

        // The file to launch: the entry's launch value is the shortcut when the button has one, and the
        // shortcut then names the program and its parameters.
        const std::optional<std::wstring>& exec = entry.exec;
        const std::wstring link = record.link.value_or(L"");
        if (!record.link && exec && EndsWith(*exec, L".lnk") && !SamePathText(*exec, button.fileToLaunch)) {
            if (std::optional<ShortcutContents> shortcut = ShortcutOf(*exec)) {
                button.link = *exec;
                Add(texts::RecordValueLost(index, ButtonName(button), RecordValueName(&ButtonRecord::link), *exec));
                settled.insert(RecordValueName(&ButtonRecord::link));
                if (!record.arguments) {
                    button.parameters = shortcut->arguments;
                    settled.insert(RecordValueName(&ButtonRecord::arguments));
                }
            }
        }
        if (!record.program && exec) {
            std::wstring program = *exec;
            if (!button.link.empty() && SamePathText(*exec, button.link)) {
                const std::optional<ShortcutContents> shortcut = ShortcutOf(button.link);
                program = shortcut ? shortcut->target : L"";
            }
            if (!program.empty()) {
                button.fileToLaunch = program;
                Add(texts::RecordValueLost(index, ButtonName(button), RecordValueName(&ButtonRecord::program),
                                           program));
                settled.insert(RecordValueName(&ButtonRecord::program));
            }
        }
        if (!record.arguments && !link.empty() && !settled.count(RecordValueName(&ButtonRecord::arguments))) {
            if (std::optional<ShortcutContents> shortcut = ShortcutOf(link)) {
                button.parameters = shortcut->arguments;
                Add(texts::RecordValueLost(index, ButtonName(button), RecordValueName(&ButtonRecord::arguments),
                                           shortcut->arguments));
                settled.insert(RecordValueName(&ButtonRecord::arguments));
            }
        }

        // The icon: the entry's pair of library files, or its icon file.
        const bool iconLost = !record.icon;
        const bool iconFileLost = record.icon == std::optional<std::wstring>(kRecordIconDisk) && !record.iconFile;
        if ((iconLost || iconFileLost) && entry.icon) {
            const int number = LibraryNumberOfPair(*entry.icon, entry.hotIcon.value_or(L""));
            if (iconLost && number > 0) {
                button.iconKind = IconKind::Library;
                button.iconFile.clear();
                button.libraryNumber = number;
            } else if (HoldsIcon(*entry.icon)) {
                bool programsOwn = false;
                for (const std::wstring& place : places_.OwnFolders()) {
                    programsOwn = programsOwn ||
                                  IsButtonFilePathFor(*entry.icon, IconsFolderOf(place),
                                                      PathPart(button.fileToLaunch, PathSelector::BaseName), L".ico");
                }
                button.iconKind = iconLost && programsOwn ? IconKind::Program : IconKind::Disk;
                button.iconFile = *entry.icon;
            } else {
                return;
            }
            Add(texts::RecordValueLost(index, ButtonName(button),
                                       RecordValueName(iconLost ? &ButtonRecord::icon : &ButtonRecord::iconFile),
                                       *entry.icon));
            settled.insert(L"icon");
        }
    }

    void CheckShortcut(int index, const std::wstring& name, const Button& button) {
        if (button.link.empty()) return;
        ShortcutContents contents;
        if (!FileExists(button.link) || !ReadShortcutFile(button.link, contents)) {
            Add(texts::ShortcutMissing(index, name, button.link));
            return;
        }
        const std::wstring& file = button.fileToLaunch;
        const bool sameTarget = SamePathText(contents.target, file) || IsSameFile(contents.target, file);
        if (!sameTarget || contents.arguments != button.parameters) {
            Add(texts::ShortcutDiffers(index, name, button.link, contents.target, contents.arguments, file,
                                       button.parameters));
        }
    }

    void CheckRecord(int index, const std::wstring& name, const Button& button, bool libraryIconOne,
                     const std::set<std::wstring>& settled) {
        const SettingsSnapshot::Key* key = stored_.Record(index);
        if (!key) {
            Add(texts::RecordMissing(index, name));
            return;
        }
        for (const auto& [value, listed] : RecordValues(RecordFor(button, folder_), RecordValueOrder::Rewrite)) {
            const std::wstring valueName = value;
            // A disk icon that is gone, and a value taken back from the entry, are said once.
            if (settled.count(valueName)) continue;
            const bool icon = valueName == RecordValueName(&ButtonRecord::icon) ||
                              valueName == RecordValueName(&ButtonRecord::iconFile);
            if (icon && (libraryIconOne || settled.count(L"icon"))) continue;
            const std::optional<std::wstring> stored = KeyText(*key, valueName);
            if (stored != listed) {
                Add(texts::RecordValueChanged(index, name, valueName, stored ? &*stored : nullptr, listed));
            }
        }
    }

    void CheckEntry(int index, const std::wstring& name, const Button& button, bool libraryIconOne,
                    const std::set<std::wstring>& settled) {
        const NamedTexts expected = EntryValues(EntryFor(button, folder_));
        const std::wstring exec = EntryValueName(&ToolbarEntry::exec);
        const std::wstring icon = EntryValueName(&ToolbarEntry::icon);
        const std::wstring hotIcon = EntryValueName(&ToolbarEntry::hotIcon);
        auto compare = [&](const SettingsSnapshot::Key& key, const std::wstring& where) {
            for (const auto& [value, listed] : expected) {
                const std::wstring valueName = value;
                if (libraryIconOne && (valueName == icon || valueName == hotIcon)) continue;
                const std::optional<std::wstring> now = KeyText(key, valueName);
                if (now == listed) continue;
                // A value the record took back from this entry is the entry's already.
                const bool launchTaken = settled.count(RecordValueName(&ButtonRecord::program)) ||
                                         settled.count(RecordValueName(&ButtonRecord::link));
                if (settled.count(valueName) || (valueName == exec && launchTaken)) continue;
                if (!now) {
                    Add(texts::EntryValueLost(index, name, where, valueName));
                } else {
                    Add(texts::EntryValueChanged(index, name, where, valueName, *now));
                }
            }
        };
        if (!ForAllUsers(button.scope)) {
            const SettingsSnapshot::Key* key = stored_.Entry(index, HKEY_CURRENT_USER, 0);
            if (!key)
                Add(texts::EntryMissing(index, name, texts::RootName(HKEY_CURRENT_USER, 0)));
            else
                compare(*key, L"");
            // An entry of the machine's root in this slot is none of this account's: its button is for
            // the current user only. It may be another account's "All Users" button.
            for (REGSAM view : kMachineViews) NoteOtherAccountsEntry(index, view);
            return;
        }
        const SettingsSnapshot::Key* views[2] = {stored_.Entry(index, HKEY_LOCAL_MACHINE, kMachineViews[0]),
                                                 stored_.Entry(index, HKEY_LOCAL_MACHINE, kMachineViews[1])};
        if (!views[0] && !views[1]) {
            Add(texts::EntryMissing(index, name, L"HKEY_LOCAL_MACHINE"));
        } else if (!views[0] || !views[1]) {
            Add(texts::EntryInOneView(index, name, views[0] ? L"64-bit view" : L"32-bit view"));
        }
        for (int view = 0; view < 2; ++view) {
            if (views[view]) compare(*views[view], texts::RootName(HKEY_LOCAL_MACHINE, kMachineViews[view]));
        }
        if (stored_.Entry(index, HKEY_CURRENT_USER, 0)) {
            Add(texts::EntryUnderOtherRoot(index, name, texts::RootName(HKEY_CURRENT_USER, 0), index, false,
                                           kScopeAllUsers));
        }
    }

    // The machine's root is shared by every account, the records are each account's own: an entry
    // there that no button of this account owns is reported and left alone.
    void NoteOtherAccountsEntry(int slot, REGSAM view) {
        const SettingsSnapshot::Key* key = stored_.Entry(slot, HKEY_LOCAL_MACHINE, view);
        if (!key) return;
        const FoundEntry entry = FoundEntryOf(*key);
        for (const std::optional<std::wstring>& file : {entry.icon, entry.hotIcon, entry.exec}) {
            if (file) othersFiles_.push_back(*file);
        }
        check_.notes.push_back(texts::OtherAccountsEntry(slot, texts::RootName(HKEY_LOCAL_MACHINE, view),
                                                         entry.buttonText.value_or(L""), entry.exec.value_or(L"")));
    }

    void CheckSlots() {
        const int rows = check_.buttons;
        const std::wstring countText = stored_.countText().value_or(L"");
        if (stored_.countPastSlots) {
            Add(texts::CountPastSlots(countText));
        } else if (!stored_.earlierVersion() && LeadingNumber(countText) != rows && (rows > 0 || stored_.countText())) {
            Add(texts::CountDiffers(countText, rows));
        }
        for (int slot = rows; slot < kSlotCount; ++slot) {
            if (const SettingsSnapshot::Key* key = stored_.Entry(slot, HKEY_CURRENT_USER, 0)) {
                const FoundEntry entry = FoundEntryOf(*key);
                Add(texts::OrphanEntry(slot, texts::RootName(HKEY_CURRENT_USER, 0), entry.buttonText.value_or(L""),
                                       entry.exec.value_or(L"")));
            }
            for (REGSAM view : kMachineViews) NoteOtherAccountsEntry(slot, view);
            if (const SettingsSnapshot::Key* key = stored_.Record(slot)) {
                const FoundRecord record = FoundRecordOf(*key);
                Add(texts::RecordNotListed(slot, record.buttonText.value_or(L""), record.program.value_or(L"")));
            }
        }
    }

    // Whether a file is named by a listed button, as a repair leaves it, or by an entry that may be
    // another account's (its "All Users" buttons' files lie in the machine's place too).
    bool Used(const std::wstring& path) const {
        for (const Button& button : check_.mended) {
            if (NamesFile(button.iconFile, path) || NamesFile(button.link, path)) return true;
        }
        return std::any_of(othersFiles_.begin(), othersFiles_.end(),
                           [&path](const std::wstring& file) { return NamesFile(file, path); });
    }

    // Files in a folder of Velmora's own with the extension, other than the library icons, that no
    // button uses: those Velmora made for this account are left over and a repair removes them;
    // any other is left alone. A folder that is a link is not looked into.
    void CheckFiles(const std::wstring& place, OwnFileKind kind, const std::wstring& extension) {
        const std::wstring folder = FolderOfKind(place, kind);
        if (PassesThroughLink(FullPath(folder), FullPath(place))) {
            if (FolderExists(folder)) check_.notes.push_back(texts::LinkedFolder(folder));
            return;
        }
        for (const std::wstring& name : FilesIn(folder)) {
            if (!EndsWith(name, extension) || IsLibraryIconName(name)) continue;
            const std::wstring path = folder + name;
            if (Used(path)) continue;
            if (IsOwnButtonFile(places_, path) && IsMadeFile(stored_.madeFiles, path)) {
                Add(texts::UnusedFile(path));
            } else {
                check_.notes.push_back(texts::FileNotMade(path));
            }
        }
    }

    const StoredButtons& stored_;
    const FilePlaces& places_;
    const std::wstring& folder_;
    ButtonCheck check_;
    std::vector<std::wstring> othersFiles_;  // the files named by entries that may be another account's
};

}  // namespace

bool IsCheckedPath(const std::wstring& fileToLaunch) {
    const std::wstring& text = fileToLaunch;
    const bool drive = text.size() >= 3 && std::iswalpha(text[0]) && text[1] == L':' && text[2] == L'\\';
    const bool share = text.size() >= 3 && text[0] == L'\\' && text[1] == L'\\';
    return drive || share;
}

std::wstring ButtonName(const Button& button) {
    return button.buttonText.empty() ? button.fileToLaunch : button.buttonText;
}

ButtonCheck CheckStoredButtons(const StoredButtons& stored, const FilePlaces& places) {
    return Checker(stored, places).Run();
}

ButtonCheck CheckButtons(RegistryApi& registry, const FilePlaces& places) {
    const RegistryStores stores(registry);
    return CheckStoredButtons(ReadStoredButtons(stores, places), places);
}

ButtonCheck CheckButtons(RegistryApi& registry, const std::wstring& programFolder) {
    return CheckButtons(registry, OwnFilePlaces(programFolder));
}

bool ButtonCheck::AnyRepairable() const {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& finding) { return finding.repairable(); });
}

std::vector<std::wstring> ButtonCheck::ReportLines() const {
    BoundedLines lines;
    for (const Finding& finding : findings) lines.Add(finding.Kind(), finding.Text());
    if (findings.empty()) lines.Add(L"", texts::AllInOrder(buttons));
    // A note's kind is its text before the first quoted one, without numbers ("Slot 7: the ").
    for (const std::wstring& note : notes) {
        std::wstring kind = L"note: " + note.substr(0, note.find(L'"'));
        std::erase_if(kind, [](wchar_t c) { return c >= L'0' && c <= L'9'; });
        lines.Add(kind, note);
    }
    return lines.Lines();
}

}  // namespace velmora
