#include "checkup/button_check.h"

#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"
#include "buttons/icon_files.h"
#include "buttons/shortcut_file.h"
#include "checkup/finding_texts.h"
#include "common/file_paths.h"

#include <algorithm>
#include <cwctype>

namespace velmora {

namespace {

bool HoldsIcon(const std::wstring& file) {
    return FileExists(file) && static_cast<bool>(ProgramIconPicture(file, 0, false));
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && SamePathText(text.substr(text.size() - end.size()), end);
}

class Checker {
public:
    Checker(const StoredButtons& stored, const FilePlaces& places)
        : stored_(stored), places_(places), folder_(places.programFolder) {}

    ButtonCheck Run() {
        check_.buttons = static_cast<int>(stored_.buttons.size());
        if (stored_.earlierVersion()) Add(texts::EarlierRecords());
        for (int row = 0; row < check_.buttons && IsValidSlot(row); ++row) CheckRow(row);
        CheckSlots();
        for (const std::wstring& place : places_.OwnFolders()) {
            CheckFiles(IconsFolderOf(place), L".ico");
            CheckFiles(ShortcutsFolderOf(place), L".lnk");
        }
        return std::move(check_);
    }

private:
    void Add(Finding finding) { check_.findings.push_back(std::move(finding)); }

    void CheckRow(int index) {
        const Button& button = stored_.buttons[index];
        const ButtonRecord& record = stored_.records[index];
        const std::wstring name = ButtonName(button);
        if (IsCheckedPath(button.fileToLaunch) && !FileExists(button.fileToLaunch)) {
            Add(texts::ProgramMissing(index, name, button.fileToLaunch));
        }

        // The icon first: a disk icon that is gone changes what the entry and the record say.
        bool libraryIconOne = false;
        if (record.icon == kRecordIconDisk && button.iconKind != IconKind::Disk) {
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
        CheckShortcut(index, name, button);
        if (!stored_.earlierVersion()) CheckRecord(index, name, button, libraryIconOne);
        CheckEntry(index, name, button, libraryIconOne);
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

    void CheckRecord(int index, const std::wstring& name, const Button& button, bool libraryIconOne) {
        const SettingsSnapshot::Key* key = stored_.Record(index);
        if (!key) {
            Add(texts::RecordMissing(index, name));
            return;
        }
        for (const auto& [value, listed] : RecordValues(RecordFor(button, folder_), RecordValueOrder::Rewrite)) {
            // A disk icon that is gone is said once, by its own finding.
            if (libraryIconOne && std::wstring(value) == L"Icon") continue;
            const std::optional<std::wstring> stored = KeyText(*key, value);
            if (stored != listed)
                Add(texts::RecordValueChanged(index, name, value, stored ? &*stored : nullptr, listed));
        }
    }

    void CheckEntry(int index, const std::wstring& name, const Button& button, bool libraryIconOne) {
        const NamedTexts expected = EntryValues(EntryFor(button, folder_));
        auto compare = [&](const SettingsSnapshot::Key& key, const std::wstring& where) {
            for (const auto& [value, listed] : expected) {
                const std::wstring valueName = value;
                if (libraryIconOne && (valueName == L"Icon" || valueName == L"HotIcon")) continue;
                const std::optional<std::wstring> now = KeyText(key, valueName);
                if (now != listed) Add(texts::EntryValueChanged(index, name, where, valueName, now ? &*now : nullptr));
            }
        };
        if (!ForAllUsers(button.scope)) {
            const SettingsSnapshot::Key* key = stored_.Entry(index, HKEY_CURRENT_USER, 0);
            if (!key)
                Add(texts::EntryMissing(index, name, texts::RootName(HKEY_CURRENT_USER, 0)));
            else
                compare(*key, L"");
            for (REGSAM view : kMachineViews) {
                if (stored_.Entry(index, HKEY_LOCAL_MACHINE, view)) {
                    Add(texts::EntryUnderOtherRoot(index, name, texts::RootName(HKEY_LOCAL_MACHINE, view), index, true,
                                                   kScopeCurrentUser));
                }
            }
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

    void CheckSlots() {
        const int rows = check_.buttons;
        const std::wstring countText = stored_.countText().value_or(L"");
        if (stored_.countPastSlots) {
            Add(texts::CountPastSlots(countText));
        } else if (!stored_.earlierVersion() && LeadingNumber(countText) != rows && (rows > 0 || stored_.countText())) {
            Add(texts::CountDiffers(countText, rows));
        }
        for (int slot = rows; slot < kSlotCount; ++slot) {
            if (stored_.Entry(slot, HKEY_CURRENT_USER, 0)) {
                Add(texts::OrphanEntry(slot, texts::RootName(HKEY_CURRENT_USER, 0), false));
            }
            for (REGSAM view : kMachineViews) {
                if (stored_.Entry(slot, HKEY_LOCAL_MACHINE, view)) {
                    Add(texts::OrphanEntry(slot, texts::RootName(HKEY_LOCAL_MACHINE, view), true));
                }
            }
            if (stored_.Record(slot)) Add(texts::RecordNotListed(slot));
        }
    }

    // Files in the folder with the extension, other than the shipped library icons, are named by
    // Velmora's naming rule; those no listed button uses are left over.
    void CheckFiles(const std::wstring& folder, const std::wstring& extension) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        std::vector<std::wstring> unused;
        do {
            const std::wstring name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (!EndsWith(name, extension) || IsLibraryIconName(name)) continue;
            const std::wstring path = folder + name;
            auto names = [&path](const std::wstring& own) {
                return !own.empty() && (SamePathText(own, path) || IsSameFile(own, path));
            };
            const bool used = std::any_of(stored_.buttons.begin(), stored_.buttons.end(), [&](const Button& button) {
                return names(button.iconFile) || names(button.link);
            });
            if (!used) unused.push_back(path);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        std::sort(unused.begin(), unused.end());
        for (const std::wstring& path : unused) Add(texts::UnusedFile(path));
    }

    const StoredButtons& stored_;
    const FilePlaces& places_;
    const std::wstring& folder_;
    ButtonCheck check_;
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
    std::vector<std::wstring> lines;
    for (const Finding& finding : findings) lines.push_back(finding.Text());
    if (lines.empty()) lines.push_back(texts::AllInOrder(buttons));
    return lines;
}

}  // namespace velmora
