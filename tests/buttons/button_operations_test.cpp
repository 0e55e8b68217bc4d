#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"
#include "buttons/shortcut_file.h"

#include "tests/support/button_keys.h"
#include "tests/support/failing_registry.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/standard_user_registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace velmora {
namespace {

using namespace testing;
const std::wstring kNotepad = SystemFile(L"notepad.exe");

class ButtonEditsTest : public ::testing::Test {
protected:
    explicit ButtonEditsTest(RegistryApi& registry = SystemRegistry()) : stores(registry) {
        CopyLibraryIcons(folder.path());
    }
    ButtonDraft Draft(const std::wstring& text, IconKind source, const std::wstring& parameters = L"") {
        ButtonDraft draft;
        draft.button.fileToLaunch = source == IconKind::Program ? kNotepad : L"C:\\Tools\\" + text + L".exe";
        draft.button.parameters = parameters;
        draft.button.buttonText = draft.button.menuText = draft.button.statusBarText = text;
        draft.button.iconKind = source;
        draft.button.libraryNumber = 12;
        draft.button.iconFile = folder.path() + L"icons\\17.ico";
        draft.largeIcon = large.get();
        return draft;
    }
    std::wstring Icons() const { return folder.path() + L"icons\\"; }

    TempFolder folder;
    ButtonList list;
    RegistryStores stores;
    ScriptedPrompts prompts;
    ButtonOperations operations{list, stores, prompts, folder.path()};
    UniqueHicon small = ProgramIconPicture(kNotepad, 0, false);
    UniqueHicon large = ProgramIconPicture(kNotepad, 0, true);
};

// An add of each icon kind, with and without parameters, as the browser, the records and the
// folders see it.
TEST_F(ButtonEditsTest, AddWritesEntryRecordCountAndFiles) {
    // The icon and the parameters; the entry's icons, the record's icon and icon file then.
    const struct {
        IconKind source;
        const wchar_t* parameters;
        std::wstring icon, hot, kind, file;
    } cases[] = {
        {IconKind::Library, L"", Icons() + L"12gr.ico", Icons() + L"12.ico", L"12", L""},
        {IconKind::Program, L"-x", Icons() + L"notepad.ico", Icons() + L"notepad.ico", L"program", L""},
        {IconKind::Disk, L"", Icons() + L"17 (2).ico", Icons() + L"17 (2).ico", L"disk", Icons() + L"17 (2).ico"},
    };
    int slot = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(slot);
        const ButtonOutcome outcome = operations.AddButton(Draft(L"B" + std::to_wstring(slot), c.source, c.parameters));
        ASSERT_TRUE(outcome.done);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(slot), L"Icon"), c.icon);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(slot), L"HotIcon"), c.hot);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Icon"), c.kind);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Icon File").value_or(L""), c.file);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), std::to_wstring(slot + 1));
        EXPECT_TRUE(FileExists(c.icon));
        const std::wstring link = list.rows.back().button.link;
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(slot), L"Exec"),
                  link.empty() ? list.rows.back().button.fileToLaunch : link);
        ShortcutContents contents;
        EXPECT_TRUE(!*c.parameters || (link == folder.path() + L"shortcuts\\notepad.lnk" &&
                                       ReadShortcutFile(link, contents) && contents.arguments == c.parameters));
        ++slot;
    }
    EXPECT_EQ(operations.AddButton(Draft(L"D", IconKind::Disk)).diskIconCopy, Icons() + L"17 (3).ico")
        << "a new file never takes a name another button uses";
    EXPECT_TRUE(prompts.shown.empty());
}

// Every refused registry call of an add, an update with a change of scope and a delete: the
// user is told, and the list, the registry and the files are as before.
TEST(ButtonEditsFaultTest, EveryRefusedWriteLeavesEverythingAsItWas) {
    enum Step { Add, Update, Delete };
    int runs = 0;
    for (Step step : {Add, Update, Delete}) {
        for (int failAt = 1;; ++failAt) {
            SCOPED_TRACE(::testing::Message() << "step " << step << ", call " << failAt);
            ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software");  // the scratch roots of this test
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software");
            TempFolder folder;
            FailingRegistry registry;
            RegistryStores stores(registry);
            ScriptedPrompts prompts;
            ButtonList list;
            ButtonOperations operations(list, stores, prompts, folder.path());
            ButtonDraft draft;
            draft.button.fileToLaunch = L"C:\\Tools\\a.exe";
            for (int i = 0; i < 3; ++i) {
                draft.button.buttonText = draft.button.menuText = L"A" + std::to_wstring(i);
                ASSERT_TRUE(operations.AddButton(draft).done);
                // Files of the program's own, which only a completed operation may remove.
                list.rows[i].button.link = folder.WriteFile(L"shortcuts\\" + std::to_wstring(i) + L".lnk", "link");
            }
            auto state = [] {
                std::vector<std::optional<std::wstring>> values{ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count")};
                for (const auto& key : {EntryKey(0), EntryKey(2), RecordKey(2)}) {
                    values.push_back(ReadString(HKEY_CURRENT_USER, key, L"ButtonText"));
                }
                return values;
            };
            const auto before = state();

            registry.changes = 0;
            registry.failAt = failAt;
            draft.button.scope = ButtonScope::AllUsers;
            const bool done = step == Add      ? operations.AddButton(draft).done
                              : step == Update ? operations.UpdateButton(2, draft).done
                                               : operations.DeleteButton(0);
            if (registry.changes < failAt) {  // every call went through: the operation is complete
                EXPECT_TRUE(done);
                EXPECT_TRUE(prompts.shown.empty());
                break;
            }
            ++runs;
            EXPECT_FALSE(done);
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_EQ(prompts.shown[0].title, L"Problem");
            EXPECT_NE(prompts.shown[0].text.find(L"Nothing was changed."), std::wstring::npos);
            EXPECT_EQ(list.rows.size(), 3u);
            EXPECT_EQ(state(), before);
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(2)) || KeyExists(HKEY_LOCAL_MACHINE, EntryKey(3)) ||
                         KeyExists(HKEY_CURRENT_USER, RecordKey(3)));
            for (const ButtonRow& row : list.rows) EXPECT_TRUE(FileExists(row.button.link)) << row.button.link;
        }
    }
    EXPECT_GT(runs, 40);
    std::printf("fault runs: %d refused calls, each undone\n", runs);
}

TEST_F(ButtonEditsTest, AllUsersRefusedForAStandardUserChangesNothing) {
    StandardUserRegistry standardUser;
    RegistryStores limited(standardUser);
    ButtonOperations refused(list, limited, prompts, folder.path());
    ButtonDraft draft = Draft(L"N", IconKind::Program, L"-n");
    draft.button.scope = ButtonScope::AllUsers;
    EXPECT_FALSE(refused.AddButton(draft).done);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_NE(prompts.shown[0].text.find(L"\"All Users\""), std::wstring::npos);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecordsKey));
    EXPECT_FALSE(FileExists(Icons() + L"notepad.ico"));
    EXPECT_FALSE(FileExists(folder.path() + L"shortcuts\\notepad.lnk"));
}

// A user without administrator rights, with "All Users" buttons in the list: a delete changes only
// the slots from the deleted button on, and is refused (and undone) only when an "All Users" button
// would have to change; the message names it and says what to do.
TEST(ButtonEditsStandardUserTest, OnlyAnAllUsersButtonThatMustChangeRefusesTheDelete) {
    const std::wstring advice =
        L" Close Velmora and run it again as an administrator (right-click it and choose "
        L"\"Run as administrator\"). Nothing was changed.";
    const std::wstring moves =
        L"The button could not be deleted: the button \"B\" after it is for \"All Users\" "
        L"and has to move up one place, which only an administrator can do." +
        advice;
    const std::wstring update =
        L"The button could not be changed: its settings could not be written to the registry. Buttons for \"All "
        L"Users\" can only be added, changed or deleted by an administrator: choose \"Current User\", or close "
        L"Velmora and run it again as an administrator (right-click it and choose \"Run as administrator\"). "
        L"Nothing was changed.";
    // The buttons A, B, C ('a' for "All Users"), the row deleted (-1: B updated); the message then.
    const struct {
        const char* scopes;
        int row;
        std::wstring message;
    } cases[] = {
        {"acc", 2, L""},
        {"acc", 1, L""},
        {"cac", 2, L""},
        {"cac", 0, moves},
        {"cca", 2,
         L"The button \"C\" could not be deleted: it is for \"All Users\", and only an administrator can "
         L"delete it." +
             advice},
        {"cac", -1, update},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.scopes << ", row " << c.row);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software");  // the scratch roots of this test
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software");
        TempFolder folder;
        ButtonList list;
        ScriptedPrompts prompts;
        RegistryStores administrator;
        ButtonOperations setUp(list, administrator, prompts, folder.path());
        ButtonDraft draft;
        for (int i = 0; i < 3; ++i) {
            draft.button.fileToLaunch = L"C:\\Tools\\" + std::wstring(1, L'A' + i) + L".exe";
            draft.button.buttonText = draft.button.menuText = std::wstring(1, L'A' + i);
            draft.button.scope = c.scopes[i] == 'a' ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
            ASSERT_TRUE(setUp.AddButton(draft).done);
        }
        auto state = [] {
            std::vector<std::optional<std::wstring>> values{ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count")};
            for (int slot = 0; slot < 3; ++slot) {
                for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
                    values.push_back(ReadString(root, EntryKey(slot), L"ButtonText"));
                }
                values.push_back(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"ButtonText"));
            }
            return values;
        };
        const auto before = state();

        StandardUserRegistry standardUser;
        RegistryStores limited(standardUser);
        ButtonOperations operations(list, limited, prompts, folder.path());
        draft.button.buttonText = L"B2";
        draft.button.scope = ButtonScope::AllUsers;
        const bool done = c.row < 0 ? operations.UpdateButton(1, draft).done : operations.DeleteButton(c.row);
        EXPECT_EQ(done, c.message.empty());
        ASSERT_EQ(prompts.shown.size(), c.message.empty() ? 0u : 1u);
        if (!done) {
            EXPECT_EQ(prompts.shown[0].text, c.message);
            EXPECT_EQ(state(), before);
            EXPECT_EQ(list.rows.size(), 3u);
            continue;
        }
        ASSERT_EQ(list.rows.size(), 2u);
        for (int slot = 0; slot < 2; ++slot) {
            const HKEY root = ForAllUsers(list.rows[slot].button.scope) ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
            EXPECT_EQ(ReadString(root, EntryKey(slot), L"ButtonText"), list.rows[slot].button.buttonText);
            EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"ButtonText"), list.rows[slot].button.buttonText);
        }
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(2)) || KeyExists(HKEY_CURRENT_USER, RecordKey(2)));
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), L"2");
    }
}

// An update that changes only texts keeps the button's icon and shortcut files as they are.
TEST_F(ButtonEditsTest, UpdateKeepsTheFilesOfAnIconAndShortcutThatStay) {
    for (IconKind source : {IconKind::Program, IconKind::Disk}) {
        ASSERT_TRUE(operations.AddButton(Draft(L"A", source, L"-x")).done);
        const int row = static_cast<int>(list.rows.size()) - 1;
        const ButtonRow added = list.rows[row];
        auto written = [](const std::wstring& file) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
            return (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
        };
        const ULONGLONG iconWritten = written(added.button.iconFile), linkWritten = written(added.button.link);
        ::Sleep(20);
        ButtonDraft draft = Draft(L"A changed", source, L"-x");
        draft.button.fileToLaunch = added.button.fileToLaunch;
        if (source == IconKind::Disk) draft.button.iconFile = added.button.iconFile;  // as "Edit Selected" loads it
        ASSERT_TRUE(operations.UpdateButton(row, draft).done);
        EXPECT_EQ(list.rows[row].button.iconFile, added.button.iconFile);
        EXPECT_EQ(list.rows[row].button.link, added.button.link);
        EXPECT_EQ(written(added.button.iconFile), iconWritten);
        EXPECT_EQ(written(added.button.link), linkWritten);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(row), L"ButtonText"), L"A changed");
    }
    EXPECT_FALSE(FileExists(Icons() + L"notepad (2).ico") || FileExists(Icons() + L"17 (3).ico"));
}

TEST_F(ButtonEditsTest, UpdateRewritesItsSlotOnlyAndMovesItsScope) {
    for (const wchar_t* text : {L"A", L"B", L"C"}) {
        ASSERT_TRUE(operations.AddButton(Draft(text, IconKind::Disk, L"-p")).done);
    }
    const std::wstring oldIcon = list.rows[2].button.iconFile, oldLink = list.rows[2].button.link;
    ButtonDraft draft = Draft(L"C2", IconKind::Library);
    draft.button.scope = ButtonScope::AllUsers;
    ASSERT_TRUE(operations.UpdateButton(2, draft).done);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(2))) << "the entry moved to the machine's root";
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(2), L"Exec"), L"C:\\Tools\\C2.exe");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(2), L"Icon"), L"12");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(2), L"Icon File"), std::nullopt) << "no stale icon file";
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(2), L"Link"), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(1), L"ButtonText"), L"B");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), L"3");
    EXPECT_FALSE(FileExists(oldIcon) || FileExists(oldLink)) << "files no button uses go";
    EXPECT_TRUE(FileExists(list.rows[1].button.iconFile) && FileExists(list.rows[1].button.link));
}

// Deleting moves the rest down, each entry under the root of its scope. (That a delete removes the
// button's own files and no other file: the catalogue.)
TEST_F(ButtonEditsTest, DeleteMovesTheRestDown) {
    for (const wchar_t* text : {L"A", L"B", L"C"}) {
        ButtonDraft draft = Draft(text, IconKind::Library);
        draft.button.scope = *text == L'C' ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
        ASSERT_TRUE(operations.AddButton(draft).done);
    }
    ASSERT_TRUE(operations.DeleteButton(0) && operations.DeleteButton(0));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(0), L"ButtonText"), L"C");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Scope"), L"All Users");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(0)) || KeyExists(HKEY_LOCAL_MACHINE, EntryKey(1)) ||
                 KeyExists(HKEY_CURRENT_USER, RecordKey(1)));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), L"1");

    WriteString(HKEY_CURRENT_USER, kRecordsKey, L"Count", L"5");  // damaged
    ASSERT_TRUE(operations.DeleteButton(0));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), L"0");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(0)) || KeyExists(HKEY_CURRENT_USER, RecordKey(0)));
}

}  // namespace
}  // namespace velmora
