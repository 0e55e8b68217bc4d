#include "settings/reg_settings.h"

#include "tests/support/registry_peek.h"
#include "tests/support/registry_scratch.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using namespace testing;

const std::wstring kAppKey = L"Software\\Corvale\\Velmora";

class RegSettingsTest : public ::testing::Test {
protected:
    CRegSettings settings = SettingsStore(SystemRegistry(), L"Corvale", L"Velmora");
};

TEST_F(RegSettingsTest, TheMachineRootIsWrittenAndDeletedInBothViewsAndReadsStayWithTheUser) {
    TwoViewRegistry views;
    CRegSettings machine = SettingsStore(views, L"Corvale", L"Velmora");
    const std::wstring view64 = kAppKey + L"\\S";
    const std::wstring view32 = kWow6432Node + L"Corvale\\Velmora\\S";
    ASSERT_TRUE(settings.SaveSetting(L"S", L"v", L"user", false));
    ASSERT_TRUE(settings.SaveSetting(L"S", L"empty", L"", false));
    // Missing and empty are told apart where a caller needs to know.
    EXPECT_EQ(settings.GetSettingIfThere(L"S", L"empty"), L"");
    EXPECT_EQ(settings.GetSettingIfThere(L"S", L"missing"), std::nullopt);

    ASSERT_TRUE(machine.SaveSetting(L"S", L"v", L"machine", true));
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, view64, L"v") == L"machine" &&
                ReadString(HKEY_LOCAL_MACHINE, view32, L"v") == L"machine");
    EXPECT_EQ(machine.GetSetting(L"S", L"v"), L"user");
    // A key left only in the 32-bit view (by a 32-bit program) is found and deleted.
    ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, view64.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(machine.SectionExists(L"S", true));
    EXPECT_TRUE(machine.DeleteSetting(L"S", L"", true));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, view32) || machine.SectionExists(L"S", true));
    EXPECT_EQ(machine.DeleteSetting(L"S", L"", true).status, ERROR_FILE_NOT_FOUND);  // neither view had it
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, view64, L"v"), L"user");

    // A view that refuses makes every write and deletion fail; the other view still does its part.
    for (const REGSAM refused : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        SCOPED_TRACE(refused == KEY_WOW64_32KEY ? "32-bit view refuses" : "64-bit view refuses");
        const std::wstring& kept = refused == KEY_WOW64_32KEY ? view32 : view64;
        const std::wstring& other = refused == KEY_WOW64_32KEY ? view64 : view32;
        views.refusedView = 0;
        ASSERT_TRUE(machine.SaveSetting(L"S", L"v", L"old", true));
        views.refusedView = refused;
        // The failure names the root and the view that refused.
        const RegistryResult written = machine.SaveSetting(L"S", L"v", L"new", true);
        EXPECT_FALSE(written);
        EXPECT_TRUE(written.status == ERROR_ACCESS_DENIED && written.root == HKEY_LOCAL_MACHINE &&
                    written.view == refused && written.MachineAccessDenied());
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

// Damaged values read as they stand, never past their data. (Values of every type, empty and
// 1 MB long, as the program's records and counts, are in the catalogue.)
TEST_F(RegSettingsTest, DamagedValuesReadWithoutOverrun) {
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    const DWORD number = 0x00330032;  // the characters "23" with no zero after them
    const std::wstring huge(2 * 1024 * 1024, L'x');
    const struct {
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD size;
        std::wstring read;
    } cases[] = {
        {L"NoZero", REG_SZ, unterminated, sizeof unterminated, L"abc"},
        {L"Odd", REG_SZ, L"12\0", 5, L"12"},  // the half character is dropped
        {L"Dword", REG_DWORD, &number, sizeof number, L"23"},
        {L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)), huge},
    };
    for (const auto& c : cases) {
        WriteRaw(HKEY_CURRENT_USER, kAppKey + L"\\Damaged", c.name, c.type, c.data, c.size);
        EXPECT_TRUE(settings.GetSetting(L"Damaged", c.name, L"dflt") == c.read) << c.name;
    }
}

// A crashed run's scratch key goes at the next start; a running one's stays. Here the test's own
// scratch key stands in for the current user's root.
TEST(RegistryScratch, TheKeysOfEndedRunsGoAndThoseOfRunningOnesStay) {
    const std::wstring crashed = L"Software\\Velmora Tests\\4294967292";  // no process has this id
    const std::wstring running = L"Software\\Velmora Tests\\" + std::to_wstring(::GetCurrentProcessId());
    for (const auto& run : {crashed, running}) WriteString(HKEY_CURRENT_USER, run + L"\\HKCU", L"v", L"x");
    RemoveScratchOfEndedRuns();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, crashed));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, running));
}

}  // namespace
}  // namespace velmora
