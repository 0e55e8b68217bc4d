#include "deleter/delete_all_buttons.h"

#include "buttons/button_records.h"
#include "buttons/button_slots.h"
#include "buttons/toolbar_entry.h"

#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/standard_user_registry.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::KeyExists;
using testing::ReadString;
using testing::ScriptedPrompts;

const std::wstring kAppKey = L"Software\\Corvale\\Velmora";
const std::wstring kRecords = kAppKey + L"\\Added Buttons";
const std::wstring kExtensions = L"Software\\Microsoft\\Internet Explorer\\Extensions\\";

// Every slot in use: records and entries under the current user, and for the even slots an
// entry under the machine's root as well; besides them the things the deleter must leave alone.
void FillEverySlot(CRegSettings& settings) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        WriteToolbarEntry(settings, slot, false, {L"B", L"x.exe", L"i", L"h", L"M", L"S"});
        if (slot % 2 == 0) WriteToolbarEntry(settings, slot, true, {L"B", L"x.exe", L"i", L"h", L"M", L"S"});
        WriteButtonRecord(settings, slot, {L"1", L"", L"x.exe", L"B", L"M", L"S", L"", L"", L"Current User"},
                          RecordValueOrder::Add);
    }
    WriteButtonCount(settings, 20);
    UseProgramSettings(settings);
    settings.SaveSetting(L"Added Buttons", L"Other", L"stays");
    settings.SaveSetting(L"Messages", L"Restart IE", L"no");
    settings.SaveSetting(L"Options", L"Kept", L"1");
    settings.SetAppName(L"Velmora 1.2");
    settings.SaveSetting(L"Added Buttons", L"Count", L"1");
    UseBrowserSettings(settings);
    settings.SaveSetting(L"Extensions\\{00000000-1111-2222-3333-444444444444}", L"ButtonText", L"Not ours");
}

void ExpectNothingOfOursLeft() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kExtensions + ButtonSlotIds[slot])) << slot;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kExtensions + ButtonSlotIds[slot])) << slot;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecords + L"\\" + ButtonSlotIds[slot])) << slot;
    }
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecords, L"Count"), std::nullopt);
}

void ExpectOthersUntouched() {
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecords, L"Other"), L"stays");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Messages", L"Restart IE"), L"no");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kAppKey + L"\\Options", L"Kept"), L"1");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, L"Software\\Corvale\\Velmora 1.2\\Added Buttons", L"Count"), L"1");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kExtensions + L"{00000000-1111-2222-3333-444444444444}", L"ButtonText"),
              L"Not ours");
}

// Every slot filled before each test, by an administrator.
class DeleteAllButtons : public ::testing::Test {
protected:
    DeleteAllButtons() { FillEverySlot(admin); }
    CRegSettings admin{SystemRegistry(), L"Velmora Button Deleter"};
    ScriptedPrompts prompts;
};

TEST_F(DeleteAllButtons, NoChangesNothing) {
    CRegSettings& settings = admin;
    prompts.Answer(IDNO);

    EXPECT_EQ(DeleteAllAddedButtons(settings, prompts), 0);

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Please Confirm");
    EXPECT_EQ(prompts.shown[0].text, L"Are you sure you wish to delete all added buttons?");
    EXPECT_EQ(prompts.shown[0].buttons(), static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(prompts.shown[0].icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecords, L"Count"), L"20");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kExtensions + ButtonSlotIds[slot]), slot % 2 == 0);
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kExtensions + ButtonSlotIds[slot]));
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRecords + L"\\" + ButtonSlotIds[slot]));
    }
}

TEST_F(DeleteAllButtons, YesRemovesEverySlotUnderBothRootsAndReportsSuccess) {
    CRegSettings& settings = admin;
    prompts.Answer(IDYES);

    EXPECT_EQ(DeleteAllAddedButtons(settings, prompts), 0);

    ExpectNothingOfOursLeft();
    ExpectOthersUntouched();
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRecords));  // the key itself stays
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].title, L"Success");
    EXPECT_EQ(prompts.shown[1].text, L"All added buttons have been successful deleted.");
    EXPECT_EQ(prompts.shown[1].buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(prompts.shown[1].icon(), static_cast<UINT>(MB_ICONINFORMATION));

    // Again, with nothing left to delete: still a success.
    prompts.shown.clear();
    prompts.Answer(IDYES);
    EXPECT_EQ(DeleteAllAddedButtons(settings, prompts), 0);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].title, L"Success");
}

TEST_F(DeleteAllButtons, RefusedMachineRootDeletionsAreReportedNotCalledSuccess) {
    testing::StandardUserRegistry standardUser;
    CRegSettings settings(standardUser, L"Velmora Button Deleter");
    prompts.Answer(IDYES);

    // The ten entries under the machine's root remain.
    EXPECT_EQ(DeleteAllAddedButtons(settings, prompts), 10);

    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kExtensions + ButtonSlotIds[slot]), slot % 2 == 0) << slot;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kExtensions + ButtonSlotIds[slot])) << slot;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecords + L"\\" + ButtonSlotIds[slot])) << slot;
    }
    ASSERT_EQ(prompts.shown.size(), 2u);
    const auto& report = prompts.shown[1];
    EXPECT_NE(report.title, L"Success");
    EXPECT_EQ(report.title, L"Some Buttons Remain");
    EXPECT_EQ(report.icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(report.buttons(), static_cast<UINT>(MB_OK));
    EXPECT_NE(report.text.find(L"10 registry entries"), std::wstring::npos);
    EXPECT_NE(report.text.find(L"administrator"), std::wstring::npos);
    EXPECT_NE(report.text.find(L"All Users"), std::wstring::npos);
}

// Entries written for all users by an earlier 32-bit version exist only in the machine's 32-bit
// view. They go too; where that view refuses (and will not even be opened), they are reported.
TEST_F(DeleteAllButtons, EntriesOnlyInTheThirtyTwoBitViewGoOrAreReported) {
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "32-bit view refuses" : "both views open");
        testing::TwoViewRegistry views;
        CRegSettings settings(views, L"Velmora Button Deleter");
        const std::wstring extensions32 = testing::kWow6432Node + L"Microsoft\\Internet Explorer\\Extensions\\";
        for (int slot = 0; slot < kSlotCount; slot += 5) {
            testing::WriteString(HKEY_LOCAL_MACHINE, extensions32 + ButtonSlotIds[slot], L"ButtonText", L"Old");
        }
        views.refusedView = refused ? KEY_WOW64_32KEY : 0;
        views.refuseReading = refused;
        prompts.shown.clear();
        prompts.Answer(IDYES);

        EXPECT_EQ(DeleteAllAddedButtons(settings, prompts), refused ? 4 : 0);

        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, extensions32 + ButtonSlotIds[slot]), refused && slot % 5 == 0);
        }
        ExpectNothingOfOursLeft();  // the 64-bit view and the current user
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_EQ(prompts.shown[1].title, refused ? L"Some Buttons Remain" : L"Success");
        EXPECT_EQ(prompts.shown[1].text.rfind(L"4 registry entries", 0) == 0, refused);
    }
}

}  // namespace
}  // namespace velmora
