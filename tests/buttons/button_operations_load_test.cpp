// The start-up load's choice of each button's icon. The rest of the start-up (the earlier
// version's buttons, damaged records and counts, missing icon files) is in the main window's
// tests and the catalogue.
#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace testing;

// A program folder of its own with the shipped library icons, and the records given as the
// programs store them.
class StartupLoadTest : public ::testing::Test {
protected:
    StartupLoadTest() { CopyLibraryIcons(folder.path()); }
    void Load(const std::vector<ButtonRecord>& records) {
        for (int slot = 0; slot < static_cast<int>(records.size()); ++slot) {
            ASSERT_TRUE(WriteButtonRecord(stores.records, slot, records[slot], RecordValueOrder::Add));
        }
        ASSERT_TRUE(WriteButtonCount(stores.records, static_cast<long long>(records.size())));
        operations.LoadAtStartup();
        ASSERT_EQ(list.rows.size(), records.size());
    }

    TempFolder folder;
    const std::wstring icons = folder.path() + L"icons\\";
    ButtonList list;
    RegistryStores stores;
    ScriptedPrompts prompts;
    ButtonOperations operations{list, stores, prompts, folder.path()};
};

// An icon file that is gone, a program that is gone and that nothing opens, and paths far longer
// than Windows takes (which the shell's icon and association calls must never see): library icon
// 1, written back so; the texts are kept whole, and a disk icon's file name stays in its record.
TEST_F(StartupLoadTest, IconsThatCannotBeShownBecomeLibraryIconOne) {
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 5000) longPath += L"very long folder name\\";
    const std::pair<std::wstring, std::wstring> iconFiles[] = {
        {L"disk", icons + L"gone.ico"}, {L"program", L""}, {L"program", L""}, {L"disk", longPath + L"star.ico"}};
    const std::wstring programs[] = {L"C:\\a.exe", L"C:\\nowhere\\tool.zzqq", longPath + L"tool.exe", L"C:\\g.exe"};
    std::vector<ButtonRecord> records;
    for (int slot = 0; slot < 4; ++slot) {
        records.push_back(
            {iconFiles[slot].first, iconFiles[slot].second, programs[slot], L"B", L"B", L"", L"", L"", L"All Users"});
    }
    const ULONGLONG start = ::GetTickCount64();
    ASSERT_NO_FATAL_FAILURE(Load(records));
    EXPECT_LT(::GetTickCount64() - start, 10000u);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(list.rows[slot].button.libraryNumber, 1) << slot;
        EXPECT_EQ(list.rows[slot].button.iconKind, IconKind::Library) << slot;
        EXPECT_EQ(list.rows[slot].button.iconFile, L"") << slot;
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Icon"), L"1") << slot;
        EXPECT_TRUE(list.rows[slot].button.fileToLaunch == programs[slot]) << slot;
        EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Program") == programs[slot]) << slot;
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(slot), L"Icon"), icons + L"1gr.ico") << slot;
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Icon File").value_or(L""), iconFiles[slot].second);
    }
}

TEST_F(StartupLoadTest, ProgramIconFileFromTheRecordOnlyWhenTheNamingRuleCanHaveGivenIt) {
    const std::wstring notepad = SystemFile(L"notepad.exe");
    // A name that keeps its trailing dot before the extension: earlier versions saved "my app..ico".
    const std::wstring myApp = folder.path() + L"my app..exe";
    ASSERT_TRUE(::CopyFileW(notepad.c_str(), myApp.c_str(), FALSE));
    // A program, the "Icon File" of its record, and the icon file its button then uses.
    const struct {
        std::wstring program, iconFile, used;
    } cases[] = {
        {notepad, icons + L"notepad (2).ico", icons + L"notepad (2).ico"},
        {notepad, icons + L"star.ico", icons + L"notepad.ico"},  // left over from a disk icon
        {notepad, folder.path() + L"notepad (3).ico", icons + L"notepad.ico"},
        {notepad, icons + L"notepad (1).ico", icons + L"notepad.ico"},
        {myApp, L"", icons + L"my app..ico"},
        {myApp, icons + L"MY APP. (3).ICO", icons + L"MY APP. (3).ICO"},
    };
    std::vector<ButtonRecord> records;
    for (const auto& c : cases) records.push_back({L"program", c.iconFile, c.program, L"N", L"N", L"", L"", L"", L""});
    ASSERT_NO_FATAL_FAILURE(Load(records));
    for (int slot = 0; slot < static_cast<int>(records.size()); ++slot) {
        SCOPED_TRACE(cases[slot].iconFile);
        EXPECT_EQ(list.rows[slot].button.iconFile, cases[slot].used);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(slot), L"Icon"), cases[slot].used);
    }
    // The rewrite keeps the other name in the record, also when the record was cleared first.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, RecordKey(0).c_str());
    ASSERT_TRUE(operations.RewriteAllButtons());
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Icon File"), icons + L"notepad (2).ico");
}

}  // namespace
}  // namespace velmora
