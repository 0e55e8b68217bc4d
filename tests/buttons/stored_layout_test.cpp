#include "buttons/stored_layout.h"

#include "tests/support/button_keys.h"
#include "tests/support/recording_registry.h"
#include "tests/support/registry_peek.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

using namespace testing;

const ToolbarEntry kCalc{
    L"Calc", L"C:\\Windows\\calc.exe", L"C:\\VLM\\icons\\12gr.ico", L"C:\\VLM\\icons\\12.ico", L"Calculator", L""};

TEST(ButtonSlots, TwentyDistinctIdentifiersAsStored) {
    EXPECT_EQ(std::set<std::wstring>(ButtonSlotIds.begin(), ButtonSlotIds.end()).size(), 20u);
    EXPECT_STREQ(ButtonSlotIds[0], L"{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}");
    EXPECT_STREQ(ButtonSlotIds[1], L"{D7C9BA79-A8C8-442e-B239-6C571815DBD4}");
    EXPECT_STREQ(ButtonSlotIds[19], L"{28980DE8-9D4C-4fb0-8FB4-95B1FA4125AC}");
}

TEST(ToolbarEntryTest, WritesEightValuesInOrderAndEachIntoBothViewsForAllUsers) {
    RecordingRegistry recording;
    RegistryStores stores(recording);
    ASSERT_TRUE(WriteToolbarEntry(stores.browser, 0, ButtonScope::CurrentUser, kCalc));
    const std::pair<std::wstring, std::wstring> values[] = {{L"Clsid", L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}"},
                                                            {L"ButtonText", L"Calc"},
                                                            {L"Exec", L"C:\\Windows\\calc.exe"},
                                                            {L"Icon", L"C:\\VLM\\icons\\12gr.ico"},
                                                            {L"HotIcon", L"C:\\VLM\\icons\\12.ico"},
                                                            {L"MenuText", L"Calculator"},
                                                            {L"MenuStatusBar", L""},  // written, though empty
                                                            {L"Default Visible", L"Yes"}};
    std::vector<std::wstring> names, twice;
    for (const auto& [name, text] : values) {
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), name), text) << name;
        names.push_back(name);
        twice.insert(twice.end(), 2, name);
    }
    EXPECT_EQ(recording.written, names);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(0)));
    // For all users each value goes into both registry views before the next one.
    recording.written.clear();
    ASSERT_TRUE(WriteToolbarEntry(stores.browser, 0, ButtonScope::AllUsers, kCalc));
    EXPECT_EQ(recording.written, twice);
    // Slots outside the table are refused.
    EXPECT_FALSE(WriteToolbarEntry(stores.browser, 20, ButtonScope::CurrentUser, kCalc) ||
                 WriteToolbarEntry(stores.browser, -1, ButtonScope::CurrentUser, kCalc));
}

TEST(ButtonRecordsTest, RecordValuesInTheOrderOfTheirWriterAndIconFileOnlyForDiskIcons) {
    RecordingRegistry recording;
    RegistryStores stores(recording);
    ButtonRecord disk{L"disk", L"C:\\VLM\\icons\\star.ico", L"C:\\a.exe", L"A", L"Menu A", L"", L"", L"", L"All Users"};
    ASSERT_TRUE(WriteButtonRecord(stores.records, 0, disk, RecordValueOrder::Add));
    EXPECT_EQ(recording.written,
              (std::vector<std::wstring>{L"Icon", L"Icon File", L"Program", L"ButtonText", L"MenuText",
                                         L"MenuStatusBar", L"Arguments", L"Link", L"Scope"}));
    recording.written.clear();
    ASSERT_TRUE(WriteButtonRecord(stores.records, 0, disk, RecordValueOrder::Rewrite));
    EXPECT_EQ(recording.written,
              (std::vector<std::wstring>{L"Icon", L"Icon File", L"Program", L"ButtonText", L"MenuText",
                                         L"MenuStatusBar", L"Scope", L"Arguments", L"Link"}));
    // Always under the current user, whatever the scope; "Icon File" only for a disk icon.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Scope"), L"All Users");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Corvale"));
    ASSERT_TRUE(WriteButtonRecord(stores.records, 1, {L"12", L"ignored", L"x", L"B", L"M", L"", L"", L"", L""},
                                  RecordValueOrder::Add));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(1), L"Icon File"), std::nullopt);
}

}  // namespace
}  // namespace velmora
