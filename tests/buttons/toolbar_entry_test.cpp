#include "buttons/button_records.h"
#include "buttons/button_slots.h"
#include "buttons/toolbar_entry.h"

#include "tests/support/recording_registry.h"
#include "tests/support/registry_peek.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

using testing::KeyExists;
using testing::ReadString;

const std::wstring kExtensions = L"Software\\Microsoft\\Internet Explorer\\Extensions\\";
const std::wstring kRecords = L"Software\\Corvale\\Velmora\\Added Buttons";

ToolbarEntry SampleEntry() {
    return {L"Calc", L"C:\\Windows\\calc.exe", L"C:\\VLM\\icons\\12gr.ico", L"C:\\VLM\\icons\\12.ico", L"Calculator",
            L""};
}

TEST(ButtonSlots, TwentyDistinctIdentifiersAsStored) {
    std::set<std::wstring> distinct(ButtonSlotIds.begin(), ButtonSlotIds.end());
    EXPECT_EQ(distinct.size(), 20u);
    EXPECT_STREQ(ButtonSlotIds[0], L"{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}");
    EXPECT_STREQ(ButtonSlotIds[1], L"{D7C9BA79-A8C8-442e-B239-6C571815DBD4}");
    EXPECT_STREQ(ButtonSlotIds[19], L"{28980DE8-9D4C-4fb0-8FB4-95B1FA4125AC}");
    EXPECT_EQ(ButtonRecordSection(3), L"Added Buttons\\{46FBD990-906E-4cd1-83EB-0523EE60006B}");
    EXPECT_EQ(ToolbarEntrySection(11), L"Extensions\\{ABE91789-DE43-48ed-B86D-05EA44906874}");
}

TEST(ToolbarEntryTest, WritesEightValuesInOrderUnderTheCurrentUser) {
    testing::RecordingRegistry recording;
    CRegSettings settings(recording, L"Velmora");
    WriteToolbarEntry(settings, 0, false, SampleEntry());

    const std::vector<std::wstring> names{L"Clsid",    L"ButtonText", L"Exec",          L"Icon",
                                          L"HotIcon", L"MenuText",   L"MenuStatusBar", L"Default Visible"};
    EXPECT_EQ(recording.written, names);
    const std::wstring key = kExtensions + L"{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}";
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Clsid"), L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"ButtonText"), L"Calc");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Exec"), L"C:\\Windows\\calc.exe");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Icon"), L"C:\\VLM\\icons\\12gr.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"HotIcon"), L"C:\\VLM\\icons\\12.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"MenuText"), L"Calculator");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"MenuStatusBar"), L"");  // written, though empty
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Default Visible"), L"Yes");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));
    // The settings object is left on the browser's key.
    EXPECT_EQ(settings.Company(), L"Microsoft");
    EXPECT_EQ(settings.AppName(), L"Internet Explorer");

    // For all users each value goes into both registry views before the next one.
    recording.written.clear();
    WriteToolbarEntry(settings, 0, true, SampleEntry());
    std::vector<std::wstring> twice;
    for (const std::wstring& name : names) twice.insert(twice.end(), 2, name);
    EXPECT_EQ(recording.written, twice);
}

TEST(ToolbarEntryTest, AllUsersGoToBothViewsOfTheMachineRootAndRemovalTakesTheWholeKeys) {
    testing::TwoViewRegistry views;
    CRegSettings settings(views, L"Velmora");
    WriteToolbarEntry(settings, 19, true, SampleEntry());
    const std::wstring key = kExtensions + L"{28980DE8-9D4C-4fb0-8FB4-95B1FA4125AC}";
    const std::wstring key32 = testing::kWow6432Node + key.substr(std::wstring(L"Software\\").size());
    for (const std::wstring& view : {key, key32}) {
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, view, L"ButtonText"), L"Calc") << view;
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, view, L"Default Visible"), L"Yes") << view;
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

    WriteToolbarEntry(settings, 19, false, SampleEntry());
    RemoveToolbarEntry(settings, 19, true);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key32));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer\\Extensions"));

    // Slots outside the table are never written.
    WriteToolbarEntry(settings, 20, false, SampleEntry());
    WriteToolbarEntry(settings, -1, false, SampleEntry());
    EXPECT_EQ(testing::ValueNames(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Extensions").size(), 0u);
}

TEST(ToolbarEntryTest, LibraryIconFilesUseTheNumberWithoutLeadingZeros) {
    EXPECT_EQ(LibraryIconFile(L"C:\\VLM\\", 7), L"C:\\VLM\\icons\\7gr.ico");
    EXPECT_EQ(LibraryHotIconFile(L"C:\\VLM\\", 12), L"C:\\VLM\\icons\\12.ico");
}

TEST(ButtonRecordsTest, LeadingNumberOfStoredCounts) {
    EXPECT_EQ(LeadingNumber(L"3"), 3);
    EXPECT_EQ(LeadingNumber(L"20"), 20);
    EXPECT_EQ(LeadingNumber(L"abc"), 0);
    EXPECT_EQ(LeadingNumber(L""), 0);
    EXPECT_EQ(LeadingNumber(L"-2"), -2);
    EXPECT_EQ(LeadingNumber(L"  7 buttons"), 7);
    EXPECT_EQ(LeadingNumber(L"2.5"), 2);  // halves to even
    EXPECT_EQ(LeadingNumber(L"3.5"), 4);
    EXPECT_EQ(LeadingNumber(L"99999999999999999999999"), 1000000000000000LL);
}

TEST(ButtonRecordsTest, RecordValuesInTheOrderOfTheirWriterAndIconFileOnlyForDiskIcons) {
    testing::RecordingRegistry recording;
    CRegSettings settings(recording, L"Velmora");
    ButtonRecord disk{L"disk", L"C:\\VLM\\icons\\star.ico", L"C:\\a.exe", L"A", L"Menu A", L"", L"", L"", L"All Users"};
    WriteButtonRecord(settings, 0, disk, RecordValueOrder::Add);
    EXPECT_EQ(recording.written,
              (std::vector<std::wstring>{L"Icon", L"Icon File", L"Program", L"ButtonText", L"MenuText",
                                         L"MenuStatusBar", L"Arguments", L"Link", L"Scope"}));
    recording.written.clear();
    WriteButtonRecord(settings, 0, disk, RecordValueOrder::Rewrite);
    EXPECT_EQ(recording.written,
              (std::vector<std::wstring>{L"Icon", L"Icon File", L"Program", L"ButtonText", L"MenuText",
                                         L"MenuStatusBar", L"Scope", L"Arguments", L"Link"}));
    // Always under the current user, whatever the scope.
    const std::wstring key = kRecords + L"\\{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}";
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Scope"), L"All Users");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Arguments"), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Link"), L"");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Corvale"));

    recording.written.clear();
    ButtonRecord library{L"12", L"ignored", L"http://example.com/", L"B", L"Menu B", L"s", L"-x", L"C:\\l.lnk",
                         L"Current User"};
    WriteButtonRecord(settings, 1, library, RecordValueOrder::Add);
    EXPECT_EQ(recording.written.size(), 8u);
    const ButtonRecord back = ReadButtonRecord(settings, 1);
    EXPECT_EQ(back.icon, L"12");
    EXPECT_EQ(back.iconFile, L"");
    EXPECT_EQ(back.program, L"http://example.com/");
    EXPECT_EQ(back.arguments, L"-x");
    EXPECT_EQ(back.link, L"C:\\l.lnk");
    EXPECT_EQ(back.scope, L"Current User");

    RemoveButtonRecord(settings, 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRecords + L"\\{D7C9BA79-A8C8-442e-B239-6C571815DBD4}"));
}

TEST(ButtonRecordsTest, CountReadsItsLeadingNumberAndIsWrittenAsDecimal) {
    CRegSettings settings(SystemRegistry(), L"Velmora");
    UseProgramSettings(settings);
    EXPECT_EQ(ReadButtonCount(settings), 0);  // missing
    settings.SaveSetting(L"Added Buttons", L"Count", L"abc");
    EXPECT_EQ(ReadButtonCount(settings), 0);
    WriteButtonCount(settings, ReadButtonCount(settings) + 1);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecords, L"Count"), L"1");
    WriteButtonCount(settings, -1);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecords, L"Count"), L"-1");
}

}  // namespace
}  // namespace velmora
