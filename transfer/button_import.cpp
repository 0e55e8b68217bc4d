#include "transfer/button_import.h"

#include "buttons/button_checks.h"
#include "buttons/button_mapping.h"
#include "buttons/stored_layout.h"
#include "buttons/icon_files.h"
#include "buttons/path_parts.h"
#include "common/file_paths.h"
#include "common/report_text.h"
#include "transfer/transfer_paths.h"

#include <algorithm>
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
                const std::wstring name = value.name.empty() ? L"@" : QuotedForReport(value.name);
                errors.push_back({value.line ? value.line : key->line,
                                  L"the value " + name + L" of a button is not a text (REG_SZ)"});
            }
        }
    }
};

// Whether a key that is no button's entry holds a value only a button has: it was meant as one.
bool HoldsButtonValues(const RegKey& key) {
    for (const RegValue& value : key.values) {
        for (const wchar_t* name :
             {kEntryClsidValue, EntryValueName(&ToolbarEntry::exec), EntryValueName(&ToolbarEntry::buttonText)}) {
            if (SamePathText(value.name, name)) return true;
        }
    }
    return false;
}

// Why a key that holds a button's values is in no place of a button's entry.
std::wstring WhyNotInAnEntrysPlace(const std::wstring& path) {
    // "Internet Explorer\Extensions\", the last folder of the browser's key and the section.
    const std::wstring browserKey = kBrowserKey;
    const std::wstring extensions =
        NameOfPath(browserKey.substr(0, browserKey.size() - 1)) + L"\\" + kExtensionsSection;
    const size_t at = Upper(path).find(Upper(extensions));
    if (at == std::wstring::npos) return L"not under an Extensions key";
    const std::wstring rest = path.substr(at + extensions.size());
    if (rest.find(L'\\') != std::wstring::npos) return L"not directly under an Extensions key";
    if (!IsGuidText(rest)) return L"its name is not a GUID";
    return L"under another Extensions key than the browser's";
}

// Why a key of a button's entry is no button: its class value and its launch value.
std::wstring WhyNoButton(const KeyGroup& entry) {
    std::vector<std::wstring> reasons;
    const std::wstring clsidName = std::wstring(L"\"") + kEntryClsidValue + L"\"";
    const RegValue* clsid = entry.Find(kEntryClsidValue);
    if (!clsid || clsid->deletion) {
        reasons.push_back(L"no " + clsidName);
    } else if (clsid->type != REG_SZ) {
        reasons.push_back(clsidName + L" is not a text (REG_SZ)");
    } else if (!SamePathText(clsid->text, kToolbarButtonClsid)) {
        reasons.push_back(clsidName + L" names another class");
    }
    const std::wstring execName = std::wstring(L"\"") + EntryValueName(&ToolbarEntry::exec) + L"\"";
    const RegValue* exec = entry.Find(EntryValueName(&ToolbarEntry::exec));
    if (!exec || exec->deletion) {
        reasons.push_back(L"no " + execName);
    } else if (exec->type != REG_SZ && !reasons.empty()) {
        // A button's launch value of another type makes the file bad; this one is said with the rest.
        reasons.push_back(execName + L" is not a text (REG_SZ)");
    }
    std::wstring text;
    for (const std::wstring& reason : reasons) text += (text.empty() ? L"" : L", ") + reason;
    return text;
}

// The report's line on a key that looks meant as a button and is none.
std::wstring NoButtonLine(const RegKey& key, const std::wstring& why) {
    return QuotedForReport(key.path) + L": not a button: " + why + L".";
}

// The lines of the keys that are no buttons, a screenful at most.
std::vector<std::wstring> NotButtonLines(const std::vector<std::wstring>& notButtons) {
    BoundedLines lines;
    for (const std::wstring& line : notButtons) lines.Add(L"not a button", line);
    return lines.Lines();
}

bool HasIcon(const std::wstring& file) {
    return !file.empty() && static_cast<bool>(ProgramIconPicture(file, 0, false));
}

// The icon file to use for path: its copy beside the export (under the name the file gives it),
// else the file itself; empty when neither gives an icon.
std::wstring FoundIconFile(const std::wstring& path, const std::wstring& filesFolder,
                           const TransferFileNames& copyNames) {
    if (path.empty()) return {};
    const std::wstring name = copyNames.CopyName(path, OwnFileKind::Icon);
    const bool plainName =
        !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/:") == std::wstring::npos;
    const std::wstring copy = FolderOfKind(filesFolder, OwnFileKind::Icon) + name;
    if (plainName && HasIcon(copy)) return copy;
    return HasIcon(path) ? path : std::wstring();
}

std::wstring NameInReport(const ButtonInFile& button) {
    const Button& b = button.button;
    return QuotedForReport(b.buttonText.empty() ? b.fileToLaunch : b.buttonText);
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
    found.copyNames = TransferFileNames(file);
    const std::wstring extensions = kExtensionsSection;
    const std::wstring recordsKey = std::wstring(kProgramKey) + kAddedButtons;
    // Entries by scope and GUID, in the order they first appear; records by GUID.
    std::vector<std::pair<bool, std::wstring>> entryOrder;
    std::map<std::pair<bool, std::wstring>, KeyGroup> entries;
    std::map<std::wstring, KeyGroup> records;
    std::vector<std::pair<int, std::wstring>> notButtons;  // by the line of their key
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
        } else if (user && SamePathText(path, recordsKey)) {  // the count is the program's to write
        } else if (HoldsButtonValues(key)) {
            notButtons.emplace_back(key.line, NoButtonLine(key, WhyNotInAnEntrysPlace(key.path)));
        } else {
            ++found.otherKeys;
        }
    }

    std::map<std::wstring, bool> recordUsed;
    for (const auto& id : entryOrder) {
        const KeyGroup& entry = entries[id];
        if (const std::wstring why = WhyNoButton(entry); !why.empty()) {
            notButtons.emplace_back(entry.keys.front()->line, NoButtonLine(*entry.keys.front(), why));
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
        const FoundEntry entryTexts = FoundEntryOf([&entry](const wchar_t* name) { return entry.Text(name); });
        std::optional<FoundRecord> recordTexts;
        if (recordKeys) {
            recordTexts = FoundRecordOf([recordKeys](const wchar_t* name) { return recordKeys->Text(name); });
        }

        ButtonInFile button;
        button.button = ButtonFromCopies(entryTexts, recordTexts ? &*recordTexts : nullptr,
                                         id.first ? ButtonScope::AllUsers : ButtonScope::CurrentUser);
        // The record's icon counts only where the record gives the file to launch, and only when it
        // is there: a record without one leaves the icon to the entry.
        if (recordTexts && !recordTexts->program.value_or(L"").empty()) {
            button.recordIcon = recordTexts->icon;
            button.recordIconFile = recordTexts->iconFile.value_or(L"");
        }
        button.entryIcon = entryTexts.icon.value_or(L"");
        button.entryHotIcon = entryTexts.hotIcon.value_or(L"");
        found.buttons.push_back(std::move(button));
    }
    std::stable_sort(notButtons.begin(), notButtons.end(),
                     [](const auto& first, const auto& second) { return first.first < second.first; });
    for (auto& [line, text] : notButtons) found.notButtons.push_back(std::move(text));
    return found;
}

ButtonDraft DraftForButton(const ButtonInFile& button, const std::wstring& filesFolder,
                           const TransferFileNames& copyNames) {
    ButtonDraft draft{button.button};
    Button& b = draft.button;
    b.iconKind = IconKind::Library;
    b.libraryNumber = 1;
    auto disk = [&](const std::wstring& file) {
        b.iconKind = IconKind::Disk;
        b.iconFile = file;
    };

    const std::wstring kind = button.recordIcon.value_or(L"");
    if (button.recordIcon && kind != kRecordIconProgram && kind != kRecordIconDisk) {
        b.libraryNumber = LibraryNumberOrFirst(LeadingNumber(kind));
        return draft;
    }
    if (kind == kRecordIconProgram && TakeProgramIcons(b.fileToLaunch).small) {
        b.iconKind = IconKind::Program;
        return draft;
    }
    if (kind == kRecordIconDisk) {
        const std::wstring file = FoundIconFile(button.recordIconFile, filesFolder, copyNames);
        if (!file.empty()) {
            disk(file);
            return draft;
        }
    }
    // From the entry: what a record could not give, and all of a button without one.
    if (const int number = LibraryNumberOfPair(button.entryIcon, button.entryHotIcon)) {
        b.libraryNumber = number;
        return draft;
    }
    for (const std::wstring& icon : {button.entryIcon, button.entryHotIcon}) {
        const std::wstring file = FoundIconFile(icon, filesFolder, copyNames);
        if (!file.empty()) {
            disk(file);
            return draft;
        }
    }
    if (kind != kRecordIconProgram && TakeProgramIcons(b.fileToLaunch).small) b.iconKind = IconKind::Program;
    return draft;
}

std::optional<TransferReport> RefusalOfImportFile(const std::wstring& file, ButtonsInFile& found) {
    auto refuseFile = [&](const std::wstring& why, const std::vector<RegFileError>& errors) {
        TransferReport report{
            ExitCode::NothingDone,
            {L"The file " + QuotedForReport(file) + L" could not be imported:" + (why.empty() ? L"" : L" " + why)}};
        for (const std::wstring& line : RegFileErrorLines(errors)) report.lines.push_back(line);
        return report;
    };
    // A relative name is taken against the current folder once, before anything else: the files
    // folder beside it would otherwise be looked for wherever the shell's calls search.
    const std::wstring fullName = FullPath(file).empty() ? file : FullPath(file);
    const RegFileReadResult read = ReadRegFile(fullName);
    if (!read.ok()) return refuseFile(L"", read.errors);
    found = ButtonsFromRegFile(read.file);
    found.file = fullName;
    if (!found.errors.empty()) return refuseFile(L"", found.errors);
    if (found.buttons.empty()) {
        TransferReport refused = refuseFile(L"it holds no toolbar buttons.", {});
        const std::vector<std::wstring> notButtons = NotButtonLines(found.notButtons);
        refused.lines.insert(refused.lines.end(), notButtons.begin(), notButtons.end());
        return refused;
    }
    return std::nullopt;
}

TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const std::wstring& programFolder,
                             const std::wstring& file) {
    return ImportButtons(list, stores, FindFilePlaces(programFolder), file);
}

TransferReport ImportButtons(ButtonList& list, RegistryStores& stores, const FilePlaces& places,
                             const std::wstring& file) {
    ButtonsInFile found;
    if (std::optional<TransferReport> refusal = RefusalOfImportFile(file, found)) return *refusal;
    return AddButtonsFromFile(found, list, stores, places, file);
}

TransferReport AddButtonsFromFile(const ButtonsInFile& found, ButtonList& list, RegistryStores& stores,
                                  const FilePlaces& places, const std::wstring& file) {
    const std::wstring& programFolder = places.programFolder;
    TransferReport report;

    // Every message of the checks and of the add is kept for the report instead of shown.
    CollectingPrompts prompts;
    ButtonOperations operations(list, stores, prompts, places);
    const std::wstring filesFolder = TransferFilesFolder(found.file.empty() ? file : found.file);
    size_t added = 0, listed = 0;
    std::vector<std::wstring> skipped;
    BoundedLines notAdded;  // a screenful of each reason
    // The checks that need no file come first, so that a button already listed, or one that no
    // longer fits, costs no look at any file it names.
    for (const ButtonInFile& button : found.buttons) {
        const std::wstring name = NameInReport(button);
        if (AlreadyListed(list, button.button)) {
            ++listed;
            notAdded.Add(L"listed", name + L": already listed.");
            continue;
        }
        if (list.rows.size() >= static_cast<size_t>(kSlotCount)) {
            skipped.push_back(name);
            notAdded.Add(L"full", name + L": the list is full (" + std::to_wstring(kSlotCount) + L" buttons).");
            continue;
        }
        ButtonDraft draft = DraftForButton(button, filesFolder, found.copyNames);
        const Button& b = draft.button;
        // A program icon's pictures, as the editor's fields would hold them: the large one is saved
        // as its file.
        ProgramIcons pictures;
        if (b.iconKind == IconKind::Program) pictures = TakeProgramIcons(b.fileToLaunch);
        draft.largeIcon = pictures.large.get();
        prompts.texts.clear();
        const bool programIconTaken = b.iconKind == IconKind::Program && pictures.small;
        if (!CheckButtonDraft(draft, programIconTaken, programFolder, prompts) || !operations.AddButton(draft).done) {
            skipped.push_back(name);
            notAdded.Add(L"refused", name + L": could not be added: " +
                                         (prompts.texts.empty() ? L"it was refused." : prompts.texts.back()));
            continue;
        }
        ++added;
    }
    report.lines = notAdded.Lines();
    report.lines.insert(report.lines.begin(),
                        added == 0 ? std::wstring(L"No button was added.")
                                   : CountOfButtons(added) + (added == 1 ? L" was" : L" were") + L" added.");
    const std::vector<std::wstring> notButtons = NotButtonLines(found.notButtons);
    report.lines.insert(report.lines.end(), notButtons.begin(), notButtons.end());
    if (found.otherKeys > 0) {
        report.lines.push_back(
            std::to_wstring(found.otherKeys) +
            (found.otherKeys == 1 ? L" other key in the file was" : L" other keys in the file were") + L" left alone.");
    }
    report.outcome = skipped.empty()       ? ExitCode::Done
                     : added + listed == 0 ? ExitCode::NothingDone
                                           : ExitCode::DoneInPart;
    return report;
}

}  // namespace velmora
