#include "settings/reg_settings.h"

#include "tests/support/registry_peek.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace velmora {
namespace {

using namespace testing;

const std::wstring kAppKey = L"Software\\Corvale\\Velmora";

class RegSettingsTest : public ::testing::Test {
protected:
    RegSettingsTest() { UseProgramSettings(settings); }
    CRegSettings settings;
};

TEST(RegSettingsNames, DefaultsTrimmingAndRestoring) {
    CRegSettings settings;
    const std::wstring company = L"VB and VBA Program Settings", app = L"Velmora Tests";  // the test program's name
    EXPECT_EQ(settings.Company() + L"|" + settings.AppName(), company + L"|" + app);
    // Blanks around a name go; an empty name restores the default; blanks only make an empty name.
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"  Velmora 1.2 ", L"Velmora 1.2|Velmora 1.2"}, {L"", company + L"|" + app}, {L"   ", L"|"}};
    for (const auto& [given, kept] : cases) {
        settings.SetCompany(given);
        settings.SetAppName(given);
        EXPECT_EQ(settings.Company() + L"|" + settings.AppName(), kept) << ::testing::PrintToString(given);
    }
}

TEST_F(RegSettingsTest, ReadsWhatWasSavedAndTheDefaultForWhatIsMissing) {
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"ni"), L"ni");
    ASSERT_TRUE(settings.SaveSetting(L"Added Buttons", L"Other", L"x"));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"0"), L"0");  // key there, value not
    // Text outside the ANSI code page is kept.
    const std::wstring path = L"C:\\Users\\\u0418\u0432\u0430\u043d\\\u6587\u4ef6\\app.exe";
    ASSERT_TRUE(settings.SaveSetting(L"Added Buttons\\x", L"Program", path));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons\\x", L"Program"), path);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\x", L"Program"), path);
    // "*" is the key's unnamed default value.
    ASSERT_TRUE(settings.SaveSetting(L"Options", L"*", L"unnamed"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Options", L""), L"unnamed");
    EXPECT_EQ(settings.GetSetting(L"Options", L"*"), L"unnamed");
    ASSERT_TRUE(settings.DeleteSetting(L"Options", L"*"));
    EXPECT_EQ(settings.GetSetting(L"Options", L"*", L"gone"), L"gone");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Options"));
}

TEST_F(RegSettingsTest, DeletesOneValueOneSubKeyTreeOrTheWholeApplicationKey) {
    for (const wchar_t* section : {L"Added Buttons", L"Added Buttons\\A\\Deeper\\Deepest", L"Added Buttons\\B"}) {
        settings.SaveSetting(section, L"Count", L"2");
        settings.SaveSetting(section, L"Keep", L"k");
    }
    EXPECT_TRUE(settings.DeleteSetting(L"Added Buttons", L"Count"));
    EXPECT_EQ(settings.GetSetting(L"Added Buttons", L"Count", L"none") + settings.GetSetting(L"Added Buttons", L"Keep"),
              L"nonek");
    EXPECT_FALSE(settings.DeleteSetting(L"Added Buttons", L"Count"));  // already gone
    EXPECT_TRUE(settings.DeleteSetting(L"Added Buttons\\A"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\A"));
    EXPECT_FALSE(settings.DeleteSetting(L"Added Buttons\\A"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAppKey + L"\\Added Buttons\\B"));
    EXPECT_TRUE(settings.DeleteSetting(L""));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Corvale"));
}

TEST_F(RegSettingsTest, TheMachineRootIsWrittenAndDeletedInBothViewsAndReadsStayWithTheUser) {
    TwoViewRegistry views;
    CRegSettings machine(views, L"Velmora");
    UseProgramSettings(machine);
    const std::wstring view64 = kAppKey + L"\\S";
    const std::wstring view32 = kWow6432Node + L"Corvale\\Velmora\\S";
    settings.SaveSetting(L"S", L"v", L"user", false);

    ASSERT_TRUE(machine.SaveSetting(L"S", L"v", L"machine", true));
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, view64, L"v") == L"machine" &&
                ReadString(HKEY_LOCAL_MACHINE, view32, L"v") == L"machine");
    EXPECT_EQ(machine.GetSetting(L"S", L"v"), L"user");
    // A key left only in the 32-bit view (by a 32-bit program) is found and deleted.
    ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, view64.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(machine.SectionExists(L"S", true));
    EXPECT_TRUE(machine.DeleteSetting(L"S", L"", true));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, view32) || machine.SectionExists(L"S", true));
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
        EXPECT_FALSE(machine.DeleteSetting(L"S", L"v", true) || machine.DeleteSetting(L"S", L"", true));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, other));
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kept, L"v"), L"old");
        views.refuseReading = true;
        EXPECT_TRUE(machine.SectionExists(L"S", true)) << "still there, though it cannot even be opened";
        views.refuseReading = false;
        views.refusedView = 0;
        EXPECT_TRUE(machine.DeleteSetting(L"S", L"", true));
    }
}

TEST_F(RegSettingsTest, DamagedValuesReadWithoutOverrunAndListsHoldTextValuesOnly) {
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    const DWORD number = 0x00330032;  // the characters "23" with no zero after them
    const std::wstring huge(2 * 1024 * 1024, L'x');
    // Each value as stored, and as GetSetting reads it with the default "dflt".
    const struct { const wchar_t* name; DWORD type; const void* data; DWORD size; std::wstring read; } cases[] = {
        {L"NoZero", REG_SZ, unterminated, sizeof unterminated, L"abc"},
        {L"Odd", REG_SZ, L"12\0", 5, L"12"},  // the half character is dropped
        {L"Dword", REG_DWORD, &number, sizeof number, L"23"},  // another type: as it stands, never past its data
        {L"Bare", REG_SZ, nullptr, 0, L"dflt"},
        {L"Empty", REG_SZ, L"", 2, L""},
        {L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)), huge},
    };
    for (const auto& c : cases) {
        WriteRaw(HKEY_CURRENT_USER, kAppKey + L"\\Damaged", c.name, c.type, c.data, c.size);
        EXPECT_TRUE(settings.GetSetting(L"Damaged", c.name, L"dflt") == c.read) << c.name;
    }

    // In the registry's own order (Wine keeps values sorted by name); a REG_SZ without data is empty text.
    SettingsTable table = settings.GetAllSettings(L"Damaged");
    std::sort(table.begin(), table.end());
    EXPECT_TRUE(table == (SettingsTable{{L"Bare", L""}, {L"Empty", L""}, {L"Huge", huge}, {L"NoZero", L"abc"},
                                        {L"Odd", L"12"}}));
    EXPECT_TRUE(settings.GetAllSettings(L"Nothing").empty());
}

}  // namespace
}  // namespace velmora
