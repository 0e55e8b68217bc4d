#include "transfer/button_import.h"

#include "buttons/button_checks.h"
#include "buttons/button_records.h"
#include "buttons/button_slots.h"
#include "buttons/icon_files.h"
#include "buttons/paths.h"
#include "buttons/toolbar_entry.h"
#include "common/file_paths.h"
#include "transfer/transfer_paths.h"

#include <cwctype>
#include <map>

namespace velmora {

namespace {

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && SamePathText(text.substr(0, prefix.size()), prefix);
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", hex digits in either case.
bool IsGuidText(const std::wstring& text) {
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !std::iswxdigit(text[i])) return false;
    }
    return true;
}

// The GUID that ends path when path is prefix followed by it alone; empty otherwise.
std::wstring GuidBelow(const std::wstring& path, const std::wstring& prefix) {
    if (!StartsWithNoCase(path, prefix)) return {};
    const std::wstring rest = path.substr(prefix.size());
    return IsGuidText(rest) ? Upper(rest) : std::wstring();
}

// The keys of one button entry or record as the file gives them; a key written twice (or in both
// machine views) is read as one, its later values over its earlier ones.
struct KeyGroup {
    std::vector<const RegKey*> keys;
    const RegValue* Find(const wchar_t* name) const {
        const RegValue* found = nullptr;
        for (const RegKey* key : keys) {
            for (const RegValue& value : key->values) {
                if (SamePathText(value.name, name)) found = &value;
            }
        }
        return found;
    }
    std::optional<std::wstring> Text(const wchar_t* name) const {
        const RegValue* value = Find(name);
        if (!value || value->deletion || value->type != REG_SZ) return std::nullopt;
        return value->text;
    }
    // Each value of the keys that is not a text, as an error of its line.
    void NoteValuesThatAreNoTexts(std::vector<RegFileError>& errors) const {
        for (const RegKey* key : keys) {
            for (const RegValue& value : key->values) {
                if (!value.deletion && value.type == REG_SZ) continue;
                const std::wstring name = value.name.empty() ? L"@" : L"\"" + value.name + L"\"";
                errors.push_back({value.line ? value.line : key->line,
                                  L"the value " + name + L" of a button is not a text (REG_SZ)"});
            }
        }
    }
};

// Library icon n when icon and hot are its grey and colour files ("ngr.ico", "n.ico"); else 0.
int LibraryPair(const std::wstring& icon, const std::wstring& hot) {
    const std::wstring iconName = PathPart(icon, PathSelector::BaseName) + PathPart(icon, PathSelector::Extension);
    const std::wstring hotName = PathPart(hot, PathSelector::BaseName) + PathPart(hot, PathSelector::Extension);
    for (int number = 1; number <= kLibraryIconCount; ++number) {
        if (SamePathText(iconName, std::to_wstring(number) + L"gr.ico") &&
            SamePathText(hotName, std::to_wstring(number) + L".ico")) {
            return number;
        }
    }
    return 0;
}

bool HasIcon(const std::wstring& file) {
    return !file.empty() && static_cast<bool>(ProgramIconPicture(file, 0, false));
}

// The icon file to use for path: the copy beside the export under the same name, else the file
// itself; empty when neither gives an icon.
std::wstring FoundIconFile(const std::wstring& path, const std::wstring& filesFolder) {
    if (path.empty()) return {};
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const bool plainName =
        !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/:") == std::wstring::npos;
    if (plainName && HasIcon(filesFolder + L"icons\\" + name)) return filesFolder + L"icons\\" + name;
    return HasIcon(path) ? path : std::wstring();
}

std::wstring NameInReport(const ButtonInFile& button) {
    const Button& b = button.button;
    return L"\"" + (b.buttonText.empty() ? b.fileToLaunch : b.buttonText) + L"\"";
}

bool AlreadyListed(const ButtonList& list, const Button& button) {
    for (const ButtonRow& row : list.rows) {
        const Button& listed = row.button;
        if (SamePathText(listed.fileToLaunch, button.fileToLaunch) && listed.parameters == button.parameters &&
            listed.buttonText == button.buttonText && listed.menuText == button.menuText &&
            listed.statusBarText == button.statusBarText && listed.scope == button.scope) {
            return true;
        }
    }
    return false;
}

}  // namespace

ButtonsInFile ButtonsFromRegFile(const RegFile& file) {
    ButtonsInFile found;
    const std::wstring extensions = L"Extensions\\";
    const std::wstring recordsKey = std::wstring(kProgramKey) + kAddedButtons;
    // Entries by scope and GUID, in the order they first appear; records by GUID.
    std::vector<std::pair<bool, std::wstring>> entryOrder;
    std::map<std::pair<bool, std::wstring>, KeyGroup> entries;
    std::map<std::wstring, KeyGroup> records;
    for (const RegKey& key : file.keys) {
        const std::optional<std::pair<HKEY, std::wstring>> split = SplitKeyPath(key.path);
        if (key.deletion || !split) {
            ++found.otherKeys;
            continue;
        }
        std::wstring path = split->second;
        while (!path.empty() && path.front() == L'\\') path.erase(0, 1);
        const bool machine = split->first == HKEY_LOCAL_MACHINE;
        const bool user = split->first == HKEY_CURRENT_USER;
        std::wstring guid;
        if (machine || user) guid = GuidBelow(path, kBrowserKey + extensions);
        if (guid.empty() && machine) guid = GuidBelow(path, kBrowserKey32 + extensions);
        if (!guid.empty()) {
            const std::pair<bool, std::wstring> id{machine, guid};
            if (!entries.count(id)) entryOrder.push_back(id);
            entries[id].keys.push_back(&key);
            continue;
        }
        guid = user ? GuidBelow(path, recordsKey + L"\\") : std::wstring();
        if (!guid.empty()) {
            records[guid].keys.push_back(&key);
        } else if (!user || !SamePathText(path, recordsKey)) {  // "Count" is the program's to write
            ++found.otherKeys;
        }
    }

    std::map<std::wstring, bool> recordUsed;
    for (const auto& id : entryOrder) {
        const KeyGroup& entry = entries[id];
        const std::optional<std::wstring> clsid = entry.Text(L"Clsid");
        if (!clsid || !SamePathText(*clsid, kToolbarButtonClsid) || !entry.Find(L"Exec")) {
            found.otherKeys += entry.keys.size();
            continue;
        }
        // A button's values are texts; one of another type (or a deletion) makes the file bad.
        const size_t errorsBefore = found.errors.size();
        entry.NoteValuesThatAreNoTexts(found.errors);
        const auto record = records.find(id.second);
        const KeyGroup* recordKeys = record == records.end() ? nullptr : &record->second;
        if (recordKeys && !recordUsed[id.second]) recordKeys->NoteValuesThatAreNoTexts(found.errors);
        if (recordKeys) recordUsed[id.second] = true;
        if (found.errors.size() != errorsBefore) continue;
        const std::wstring exec = *entry.Text(L"Exec");
        auto recordText = [&](const wchar_t* name) { return recordKeys ? recordKeys->Text(name) : std::nullopt; };

        ButtonInFile button;
        Button& b = button.button;
        b.scope = id.first ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
        const std::wstring program = recordText(L"Program").value_or(L"");
        b.fileToLaunch = program.empty() ? exec : program;
        b.parameters = program.empty() ? L"" : recordText(L"Arguments").value_or(L"");
        b.buttonText =
            entry.Text(L"ButtonText")
                .value_or(recordText(L"ButtonText").value_or(PathPart(b.fileToLaunch, PathSelector::BaseName)));
        b.menuText = entry.Text(L"MenuText").value_or(recordText(L"MenuText").value_or(b.buttonText));
        b.statusBarText = entry.Text(L"MenuStatusBar").value_or(recordText(L"MenuStatusBar").value_or(b.buttonText));
        if (!program.empty()) {
            button.recordIcon = recordText(L"Icon").value_or(L"");
            button.recordIconFile = recordText(L"Icon File").value_or(L"");
        }
        button.entryIcon = entry.Text(L"Icon").value_or(L"");
        button.entryHotIcon = entry.Text(L"HotIcon").value_or(L"");
        found.buttons.push_back(std::move(button));
    }
    return found;
}

ButtonDraft DraftForButton(const ButtonInFile& button, const std::wstring& filesFolder) {
    ButtonDraft draft{button.button};
    Button& b = draft.button;
    b.iconKind = IconKind::Library;
    b.libraryNumber = 1;
    auto disk = [&](const std::wstring& file) {
        b.iconKind = IconKind::Disk;
        b.iconFile = file;
    };

    const std::wstring kind = button.recordIcon.value_or(L"");
    if (button.recordIcon && kind != L"program" && kind != L"disk") {
        const long long number = LeadingNumber(kind);
        b.libraryNumber = number >= 1 && number <= kLibraryIconCount ? number : 1;
        return draft;
    }
    if (kind == L"program" && TakeProgramIcons(b.fileToLaunch).small) {
        b.iconKind = IconKind::Program;
        return draft;
    }
    if (kind == L"disk") {
        const std::wstring file = FoundIconFile(button.recordIconFile, filesFolder);
        if (!file.empty()) {
            disk(file);
            return draft;
        }
    }
    // From the entry: what a record could not give, and all of a button without one.
    if (const int number = LibraryPair(button.entryIcon, button.entryHotIcon)) {
        b.libraryNumber = number;
        return draft;
    }
    for (const std::wstring& icon : {button.entryIcon, button.entryHotIcon}) {
        const std::wstring file = FoundIconFile(icon, filesFolder);
        if (!file.empty()) {
            disk(file);
            return draft;
        }
    }
    if (kind != L"program" && TakeProgramIcons(b.fileToLaunch).small) b.iconKind = IconKind::Program;
    return draft;
}

std::optional<TransferReport> ReadImportFile(const std::wstring& file, ButtonsInFile& found) {
    auto refuseFile = [&](const std::wstring& why, const std::vector<RegFileError>& errors) {
        TransferReport report{
            kTransferNothingDone,
            {L"The file \"" + file + L"\" could not be imported:" + (why.empty() ? L"" : L" " + why)}};
        for (const RegFileError& error : errors) report.lines.push_back(error.Text());
        return report;
    };
    const RegFileReadResult read = ReadRegFile(file);
    if (!read.ok()) return refuseFile(L"", read.errors);
    found = ButtonsFromRegFile(read.file);
    if (!found.errors.empty()) return refuseFile(L"", found.errors);
    if (found.buttons.empty()) return refuseFile(L"it holds no toolbar buttons.", {});
    return std::nullopt;
}

TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const std::wstring& programFolder,
                             const std::wstring& file) {
    return ImportButtons(list, stores, FindFilePlaces(programFolder), file);
}

TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const FilePlaces& places,
                             const std::wstring& file) {
    ButtonsInFile found;
    if (std::optional<TransferReport> refused = ReadImportFile(file, found)) return *refused;
    return AddButtonsFromFile(found, list, stores, places, file);
}

TransferReport AddButtonsFromFile(const ButtonsInFile& found, ButtonList& list, RegistryStores& stores,
                                  const FilePlaces& places, const std::wstring& file) {
    const std::wstring& programFolder = places.programFolder;
    TransferReport report;

    // Every message of the checks and of the add is kept for the report instead of shown.
    CollectingPrompts prompts;
    ButtonOperations operations(list, stores, prompts, places);
    const std::wstring filesFolder = TransferFilesFolder(file);
    size_t added = 0, listed = 0;
    std::vector<std::wstring> skipped;
    for (const ButtonInFile& button : found.buttons) {
        const std::wstring name = NameInReport(button);
        ButtonDraft draft = DraftForButton(button, filesFolder);
        const Button& b = draft.button;
        if (AlreadyListed(list, b)) {
            ++listed;
            report.lines.push_back(name + L": already listed.");
            continue;
        }
        if (list.rows.size() >= static_cast<size_t>(kSlotCount)) {
            skipped.push_back(name);
            report.lines.push_back(name + L": the list is full (" + std::to_wstring(kSlotCount) + L" buttons).");
            continue;
        }
        // A program icon's pictures, as the editor's fields would hold them: the large one is saved
        // as its file.
        ProgramIcons pictures;
        if (b.iconKind == IconKind::Program) pictures = TakeProgramIcons(b.fileToLaunch);
        draft.largeIcon = pictures.large.get();
        prompts.texts.clear();
        const bool programIconTaken = b.iconKind == IconKind::Program && pictures.small;
        if (!CheckButtonDraft(draft, programIconTaken, programFolder, prompts) || !operations.AddButton(draft).done) {
            skipped.push_back(name);
            report.lines.push_back(name + L": could not be added: " +
                                   (prompts.texts.empty() ? L"it was refused." : prompts.texts.back()));
            continue;
        }
        ++added;
    }
    report.lines.insert(report.lines.begin(),
                        added == 0 ? std::wstring(L"No button was added.")
                                   : CountOfButtons(added) + (added == 1 ? L" was" : L" were") + L" added.");
    if (found.otherKeys > 0) {
        report.lines.push_back(
            std::to_wstring(found.otherKeys) +
            (found.otherKeys == 1 ? L" other key in the file was" : L" other keys in the file were") + L" left alone.");
    }
    report.outcome = skipped.empty() ? kTransferDone : added + listed == 0 ? kTransferNothingDone : kTransferDoneInPart;
    return report;
}

}  // namespace velmora
