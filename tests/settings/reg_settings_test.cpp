#include "settings/reg_settings.h"

#include "tests/support/registry_peek.h"
#include "tests/support/standard_user_registry.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace velmora {
namespace {

using testing::KeyExists;
using testing::ReadString;
using testing::WriteRaw;
using testing::WriteString;

const std::wstring kAppKey = L"Software\\Corvale\\Velmora";

class RegSettingsTest : public ::testing::Test {
protected:
    RegSettingsTest() { UseProgramSettings(settings); }
    CRegSettings settings;
};

TEST(RegSettingsNames, DefaultsTrimmingAndRestoring) {
    CRegSettings settings;
    EXPECT_EQ(settings.Company(), L"VB and VBA Program Settings");
    EXPECT_EQ(settings.AppName(), L"Velmora Tests");  // the test program's own product name

    settings.SetCompany(L"  Corvale  ");
    settings.SetAppName(L" Velmora 1.2 ");
    EXPECT_EQ(settings.Company(), L"Corvale");
    EXPECT_EQ(settings.AppName(), L"Velmora 1.2");

    settings.SetCompany(L"");
    settings.SetAppName(L"");
    EXPECT_EQ(settings.Company(), L"VB and VBA Program Settings");
    EXPECT_EQ(settings.AppName(), L"Velmora Tests");

    // Blanks only are not empty: they are stored as an empty name.
    settings.SetCompany(L"   ");
    settings.SetAppName(L"   ");
    EXPECT_EQ(settings.Company(), L"");
    EXPECT_EQ(settings.AppName(), L"");

    CRegSettings deleter(SystemRegistry(), L"Velmora Button Deleter");
    EXPECT_EQ(deleter.AppName(), L"Velmora Button Deleter");
}

TEST_F(RegSettingsTest, ReadsDefaultsForWhatIsMissingAndEmptyTextForEmptyValues) {
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"ni"), L"ni");
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count"), L"");
    ASSERT_TRUE(settings.SaveSetting(L"Added Buttons", L"Other", L"x"));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"0"), L"0");  // key there, value not

    ASSERT_TRUE(settings.SaveSetting(L"Messages", L"Restart IE", L""));
    EXPECT_EQ(settings.GetSetting(L"Messages", L"Restart IE", L"yes"), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Messages", L"Restart IE"), L"");
}

TEST_F(RegSettingsTest, SavesUnderTheChosenRootCreatingEveryLevel) {
    settings.SetAppName(L"Internet Explorer");
    settings.SetCompany(L"Microsoft");
    const std::wstring section = L"Extensions\\{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}";
    const std::wstring key = L"Software\\Microsoft\\Internet Explorer\\" + section;

    ASSERT_TRUE(settings.SaveSetting(section, L"ButtonText", L"Machine", true));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, L"ButtonText"), L"Machine");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

    ASSERT_TRUE(settings.SaveSetting(section, L"ButtonText", L"User"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"ButtonText"), L"User");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, L"ButtonText"), L"Machine");
    // Reading always goes to the current user.
    EXPECT_EQ(settings.GetSetting(section, L"ButtonText"), L"User");
}

TEST_F(RegSettingsTest, TextOutsideTheAnsiCodePageIsKept) {
    const std::wstring path = L"C:\\Users\\\u0418\u0432\u0430\u043d\\\u6587\u4ef6\\app.exe";
    ASSERT_TRUE(settings.SaveSetting(L"Added Buttons\\x", L"Program", path));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons\\x", L"Program"), path);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\x", L"Program"), path);
}

TEST_F(RegSettingsTest, StarIsTheDefaultValue) {
    ASSERT_TRUE(settings.SaveSetting(L"Options", L"*", L"unnamed"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Options", L""), L"unnamed");
    EXPECT_EQ(settings.GetSetting(L"Options", L"*"), L"unnamed");
    EXPECT_EQ(settings.GetSetting(L"Options", L"Other", L"d"), L"d");
    ASSERT_TRUE(settings.DeleteSetting(L"Options", L"*"));
    EXPECT_EQ(settings.GetSetting(L"Options", L"*", L"gone"), L"gone");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Options"));
}

TEST_F(RegSettingsTest, DeletesOneValueOneSubKeyTreeOrTheWholeApplicationKey) {
    settings.SaveSetting(L"Added Buttons", L"Count", L"2");
    settings.SaveSetting(L"Added Buttons", L"Keep", L"k");
    settings.SaveSetting(L"Added Buttons\\A", L"Icon", L"1");
    settings.SaveSetting(L"Added Buttons\\A\\Deeper\\Deepest", L"x", L"1");
    settings.SaveSetting(L"Added Buttons\\B", L"Icon", L"2");
    settings.SaveSetting(L"Messages", L"Restart IE", L"no");

    EXPECT_TRUE(settings.DeleteSetting(L"Added Buttons", L"Count"));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"none"), L"none");
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Keep"), L"k");
    EXPECT_FALSE(settings.DeleteSetting(L"Added Buttons", L"Count"));  // already gone

    EXPECT_TRUE(settings.DeleteSetting(L"Added Buttons\\A"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\A"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\B"));
    EXPECT_FALSE(settings.DeleteSetting(L"Added Buttons\\A"));

    EXPECT_TRUE(settings.DeleteSetting(L""));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Corvale"));
}

TEST_F(RegSettingsTest, TheMachineRootIsWrittenAndDeletedInBothViews) {
    testing::TwoViewRegistry views;
    CRegSettings machine(views, L"Velmora");
    UseProgramSettings(machine);
    const std::wstring view64 = kAppKey + L"\\S";
    const std::wstring view32 = testing::kWow6432Node + L"Corvale\\Velmora\\S";
    settings.SaveSetting(L"S", L"v", L"user", false);

    ASSERT_TRUE(machine.SaveSetting(L"S", L"v", L"machine", true));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, view64, L"v"), L"machine");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, view32, L"v"), L"machine");
    // A key left only in the 32-bit view (by a 32-bit program) is found and deleted.
    ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, view64.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(machine.SectionExists(L"S", true));
    EXPECT_TRUE(machine.DeleteSetting(L"S", L"", true));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, view32));
    EXPECT_FALSE(machine.SectionExists(L"S", true));
    EXPECT_FALSE(machine.DeleteSetting(L"S", L"", true));  // neither view had it
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, view64, L"v"), L"user");

    // A view that refuses makes every write and deletion fail; the other view still does its part.
    for (const REGSAM refused : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        SCOPED_TRACE(refused == KEY_WOW64_32KEY ? "32-bit view refuses" : "64-bit view refuses");
        const std::wstring& kept = refused == KEY_WOW64_32KEY ? view32 : view64;
        const std::wstring& other = refused == KEY_WOW64_32KEY ? view64 : view32;
        views.refusedView = 0;
        machine.SaveSetting(L"S", L"v", L"old", true);
        views.refusedView = refused;
        EXPECT_FALSE(machine.SaveSetting(L"S", L"v", L"new", true));
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, other, L"v"), L"new");
        EXPECT_FALSE(machine.DeleteSetting(L"S", L"v", true));
        EXPECT_FALSE(machine.DeleteSetting(L"S", L"", true));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, other));
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kept, L"v"), L"old");
        // Still there, though it cannot even be opened.
        views.refuseReading = true;
        EXPECT_TRUE(machine.SectionExists(L"S", true));
        views.refuseReading = false;
        views.refusedView = 0;
        EXPECT_TRUE(machine.DeleteSetting(L"S", L"", true));
    }
}

TEST_F(RegSettingsTest, GetAllSettingsListsStringValuesOnly) {
    EXPECT_TRUE(settings.GetAllSettings(L"Nothing").empty());
    settings.SaveSetting(L"Mixed", L"Name", L"text");
    const DWORD number = 7;
    WriteRaw(HKEY_CURRENT_USER, kAppKey + L"\\Mixed", L"Number", REG_DWORD, &number, sizeof(number));
    settings.SaveSetting(L"Mixed", L"Empty", L"");

    // In the registry's own order (Wine keeps values sorted by name).
    SettingsTable table = settings.GetAllSettings(L"Mixed");
    std::sort(table.begin(), table.end());
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], std::make_pair(std::wstring(L"Empty"), std::wstring(L"")));
    EXPECT_EQ(table[1], std::make_pair(std::wstring(L"Name"), std::wstring(L"text")));

    // A REG_SZ with no data at all reads as an empty text.
    settings.DeleteSetting(L"Mixed", L"");
    WriteRaw(HKEY_CURRENT_USER, kAppKey + L"\\Mixed", L"Bare", REG_SZ, nullptr, 0);
    table = settings.GetAllSettings(L"Mixed");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].second, L"");
}

TEST_F(RegSettingsTest, DamagedValuesReadWithoutOverrun) {
    const std::wstring key = kAppKey + L"\\Damaged";
    // No terminating zero.
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    WriteRaw(HKEY_CURRENT_USER, key, L"NoZero", REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(settings.GetSetting(L"Damaged", L"NoZero"), L"abc");
    // An odd number of bytes: the half character is dropped.
    WriteRaw(HKEY_CURRENT_USER, key, L"Odd", REG_SZ, L"12\0", 5);
    EXPECT_EQ(settings.GetSetting(L"Damaged", L"Odd"), L"12");
    // Another type: read as it stands, never past its data.
    const DWORD number = 0x00330032;  // the characters "23" with no zero after them
    WriteRaw(HKEY_CURRENT_USER, key, L"Dword", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(settings.GetSetting(L"Damaged", L"Dword"), L"23");
    // Stored with no data: the default.
    WriteRaw(HKEY_CURRENT_USER, key, L"Zero", REG_SZ, nullptr, 0);
    EXPECT_EQ(settings.GetSetting(L"Damaged", L"Zero", L"dflt"), L"dflt");
    // Megabytes.
    std::wstring huge(2 * 1024 * 1024, L'x');
    WriteString(HKEY_CURRENT_USER, key, L"Huge", huge);
    EXPECT_EQ(settings.GetSetting(L"Damaged", L"Huge"), huge);
    EXPECT_EQ(settings.GetAllSettings(L"Damaged").size(), 4u);  // the REG_DWORD left out
}

TEST_F(RegSettingsTest, RefusedCallsFailSilently) {
    testing::StandardUserRegistry standardUser;
    CRegSettings limited(standardUser, L"Velmora");
    UseProgramSettings(limited);
    EXPECT_FALSE(limited.SaveSetting(L"S", L"v", L"x", true));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKey));
    EXPECT_TRUE(limited.SaveSetting(L"S", L"v", L"x", false));

    settings.SaveSetting(L"S", L"v", L"machine", true);
    EXPECT_FALSE(limited.DeleteSetting(L"S", L"", true));
    EXPECT_FALSE(limited.DeleteSetting(L"S", L"v", true));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kAppKey + L"\\S", L"v"), L"machine");
    EXPECT_TRUE(limited.SectionExists(L"S", true));  // reading is allowed
}

}  // namespace
}  // namespace velmora
