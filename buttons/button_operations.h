// The operations on the list of added buttons. Each one changes the list and, in the same go,
// the browser entries and the records, so that all three describe the same buttons.
#pragma once

#include "texts/editor_texts.h"
#include "buttons/button.h"
#include "buttons/button_list.h"
#include "buttons/stored_layout.h"
#include "buttons/file_places.h"
#include "buttons/icon_files.h"
#include "common/buttons_lock.h"
#include "common/prompts.h"
#include "settings/reg_settings.h"
#include "settings/registry_stores.h"

#include <string>

namespace velmora {

// A button as the editor defines it, for adding or updating, with the editor's large picture of
// its icon, which a program icon's file is saved from. (The list's pictures are the window's.)
struct ButtonDraft {
    Button button;
    HICON largeIcon = nullptr;
};

// What an add or update did: whether the button was written, and for a disk icon the button's
// own copy of the chosen file, which the editor takes as its disk icon from then on.
struct ButtonOutcome {
    bool done = false;
    std::wstring diskIconCopy;
};

// The button the start-up load lists for a record, read without writing anything: a program or
// disk icon that cannot be shown (its file gives no picture) becomes library icon 1.
Button ListedButton(const ButtonRecord& record, const FilePlaces& places);
// The same for a program in programFolder (ending in a backslash), with this machine's places
// (OwnFilePlaces).
Button ListedButton(const ButtonRecord& record, const std::wstring& programFolder);

class ButtonOperations {
public:
    // Every operation holds the buttons' lock (common/buttons_lock.h) while it works; one that does
    // not get it in time tells the user and changes nothing.
    // places says where the library icons are and where the buttons' own files go.
    ButtonOperations(ButtonList& list, RegistryStores& stores, Prompts& prompts, FilePlaces places)
        : list_(list), stores_(stores), prompts_(prompts), places_(std::move(places)) {}
    // programFolder ends in a backslash and holds the folders "icons" and "shortcuts", with every file.
    ButtonOperations(ButtonList& list, RegistryStores& stores, Prompts& prompts, std::wstring programFolder)
        : ButtonOperations(list, stores, prompts, FilePlaces::BesideProgram(std::move(programFolder))) {}

    // Rebuilds the list from the records (those of the earlier version if they are there),
    // repairs what is broken, and rewrites every browser entry and record from the list.
    // False, with nothing read and a message shown, when a command changing the buttons (an import
    // or a repair run from the command line) did not finish in time: its slots may be half written.
    bool LoadAtStartup();
    // Rebuilds the list from the records as LoadAtStartup does, but writes and repairs nothing
    // and shows no message: for an export that must leave everything as it is. False, with an
    // empty list, when the store is damaged (a count beyond the slots).
    bool LoadWithoutWriting();

    // Writes every row's browser entry (under the root of its scope), its record and the count,
    // into the slots 0 to n - 1 of the rows' positions. Never deletes. Answers whether every
    // value was written.
    RewriteResult RewriteAllButtons() { return RewriteRows(0, true); }

    // Appends the button as the last row, with its icon and shortcut files, its browser entry in
    // the new row's slot and its record, and raises the count. When a file or a registry write
    // fails the user is told, and the list, the registry and the files stay as they were.
    ButtonOutcome AddButton(const ButtonDraft& draft);
    // Writes the button over row `row` (from 0), in that row's slot; its entry under the root
    // the button had before goes when the scope changed, and its former files when no button
    // uses them any more. Fails as AddButton does.
    ButtonOutcome UpdateButton(int row, const ButtonDraft& draft);
    // Removes row `row` with its entry, record and files, and writes the rows after it one slot
    // down. Fails as AddButton does. Files are deleted only when they are the program's own
    // (IsOwnButtonFile) and no other row names them.
    bool DeleteButton(int row);

    const std::wstring& programFolder() const { return places_.programFolder; }
    const FilePlaces& filePlaces() const { return places_; }

private:
    struct PreparedFiles;
    // What the records said when the list was read from them.
    struct StoredList {
        bool earlierVersionFound = false;  // the records are the earlier version's
        long long count = 0;               // the count as stored; beyond the slots: damaged, nothing read
        int firstMissing = -1;             // the first slot below the count without a record
    };
    StoredList ReadStoredList();
    void EraseDamagedStore();
    // After a load that skipped missing records: the slots from `first` to `end` - 1 lose the
    // records and entries the rewrite did not put there.
    void ClearVacatedSlots(int first, int end);
    // Lists the slot's record from the given store; false when its key is not there.
    bool LoadRecord(const CRegSettings& records, int slot);
    bool PrepareFiles(const ButtonDraft& draft, const ButtonRow* updated, const wchar_t* done, PreparedFiles& files);
    bool PrepareShortcut(const ButtonDraft& draft, const ButtonRow* updated, const std::vector<std::wstring>& others,
                         const wchar_t* done, PreparedFiles& files);
    static ButtonRow RowForDraft(const ButtonDraft& draft, const PreparedFiles& files);
    // Rows from `first` on, each into its own slot; the count too when withCount.
    RewriteResult RewriteRows(int first, bool withCount);
    void Undo(const SettingsSnapshot& before, const PreparedFiles& files, const std::wstring& failure);
    // Removes the files and folders the preparation made, and tells the user why the button was not `done`.
    bool FailPreparing(const std::wstring& what, const wchar_t* done, const PreparedFiles& files);
    // The message of a refused add or update, and of a refused delete of row `deleted`, whose
    // refusal came while the entry of row `blamed` (counted before the delete) was changed.
    static std::wstring WriteFailure(const wchar_t* what, const RegistryResult& cause);
    std::wstring DeleteFailure(int deleted, int blamed, const RegistryResult& cause) const;
    void DeleteUnusedFiles(const ButtonRow& former);
    void NoteMadeFiles(const PreparedFiles& files);
    std::vector<std::wstring> FilesOfOtherRows(int ownRow) const;
    // Whether the buttons' lock was had; told to the user when it was not.
    bool Locked(const ButtonsLock& lock, const wchar_t* busyText);

    ButtonList& list_;
    RegistryStores& stores_;
    Prompts& prompts_;
    FilePlaces places_;
};

}  // namespace velmora
