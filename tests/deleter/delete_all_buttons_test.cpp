#include "deleter/delete_all_buttons.h"

#include "buttons/stored_layout.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/standard_user_registry.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace testing;

// Values beside the buttons' that the deleter must leave alone.
const std::pair<std::wstring, std::wstring> kOthers[] = {
    {L"Software\\Corvale\\Velmora\\Added Buttons", L"Other"},
    {L"Software\\Corvale\\Velmora\\Messages", L"Restart IE"},
    {L"Software\\Corvale\\Velmora\\Options", L"Kept"},
    {L"Software\\Corvale\\Velmora 1.2\\Added Buttons", L"Count"},
    {L"Software\\Microsoft\\Internet Explorer\\Extensions\\{00000000-1111-2222-3333-444444444444}", L"ButtonText"}};

// Every slot in use, as an administrator leaves it: records and entries under the current user,
// and for the even slots an entry under the machine's root (its 64-bit view) as well.
void FillEverySlot() {
    RegistryStores admin;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ASSERT_TRUE(
            WriteToolbarEntry(admin.browser, slot, ButtonScope::CurrentUser, {L"B", L"x.exe", L"i", L"h", L"M", L"S"}));
        if (slot % 2 == 0) WriteString(HKEY_LOCAL_MACHINE, EntryKey(slot), L"ButtonText", L"B");
        ASSERT_TRUE(WriteButtonRecord(admin.records, slot,
                                      {L"1", L"", L"x.exe", L"B", L"M", L"S", L"", L"", L"Current User"},
                                      RecordValueOrder::Add));
    }
    ASSERT_TRUE(WriteButtonCount(admin.records, 20));
    for (const auto& [key, name] : kOthers) WriteString(HKEY_CURRENT_USER, key, name, L"stays");
}

// Entries written for all users by an earlier 32-bit version exist only in the machine's 32-bit
// view. They go too; where that view refuses (and will not even be opened), they are reported.
TEST(DeleteAllButtons, AsksThenDeletesEverySlotUnderBothRootsAndSaysWhatRemains) {
    const std::wstring success = L"Success|All added buttons have been successful deleted.";
    const std::wstring remain =
        L" of the added buttons could not be removed.\n\nButtons added for \"All Users\" can only be removed by an "
        L"administrator. Close this program and run it again as an administrator (right-click it and choose \"Run as "
        L"administrator\") to delete the remaining buttons.";
    enum class User { Admin, Standard, ThirtyTwoBitOpen, ThirtyTwoBitRefused };
    // every32: entries only in the 32-bit view in the slots 0, every32, 2 x every32, ...
    const struct {
        User user;
        int answer;
        int every32;
        int remaining;
        std::wstring report;
    } cases[] = {
        {User::Admin, IDNO, 0, 0, L""},
        {User::Admin, IDYES, 0, 0, success},
        {User::Standard, IDYES, 0, 10, L"Some Buttons Remain|10 registry entries" + remain},
        {User::ThirtyTwoBitOpen, IDYES, 5, 0, success},
        {User::ThirtyTwoBitRefused, IDYES, 20, 1, L"Some Buttons Remain|1 registry entry" + remain},
        {User::ThirtyTwoBitRefused, IDYES, 5, 4, L"Some Buttons Remain|4 registry entries" + remain},
    };
    const std::wstring extensions32 = kWow6432Node + L"Microsoft\\Internet Explorer\\Extensions\\";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.report.substr(0, c.report.find(L'|'))) + " remaining " +
                     std::to_string(c.remaining));
        FillEverySlot();
        for (int slot = 0; c.every32 && slot < kSlotCount; slot += c.every32) {
            WriteString(HKEY_LOCAL_MACHINE, extensions32 + ButtonSlotIds[slot], L"ButtonText", L"Old");
        }
        StandardUserRegistry standardUser;
        TwoViewRegistry views;
        views.refusedView = c.user == User::ThirtyTwoBitRefused ? KEY_WOW64_32KEY : 0;
        views.refuseReading = c.user == User::ThirtyTwoBitRefused;
        RegistryApi* const registries[] = {&SystemRegistry(), &standardUser, &views, &views};
        RegistryStores stores(*registries[static_cast<int>(c.user)]);
        ScriptedPrompts prompts;
        prompts.Answer(c.answer);

        EXPECT_EQ(DeleteAllAddedButtons(stores, prompts), c.remaining);

        const bool no = c.answer == IDNO;
        ASSERT_EQ(prompts.shown.size(), no ? 1u : 2u);
        EXPECT_EQ(prompts.shown[0].title + L"|" + prompts.shown[0].text,
                  L"Please Confirm|Are you sure you wish to delete all added buttons?");
        EXPECT_EQ(prompts.shown[0].style, UINT{MB_YESNO | MB_ICONEXCLAMATION});
        if (!no) {
            EXPECT_EQ(prompts.shown[1].title + L"|" + prompts.shown[1].text, c.report);
            EXPECT_EQ(prompts.shown[1].style, UINT(MB_OK | (c.remaining ? MB_ICONEXCLAMATION : MB_ICONINFORMATION)));
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, EntryKey(slot)), no) << slot;
            EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, RecordKey(slot)), no) << slot;
            EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(slot)), slot % 2 == 0 && (no || c.user == User::Standard))
                << slot;
            EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, extensions32 + ButtonSlotIds[slot]),
                      c.user == User::ThirtyTwoBitRefused && slot % c.every32 == 0)
                << slot;
        }
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"),
                  no ? std::optional<std::wstring>(L"20") : std::nullopt);
        for (const auto& [key, name] : kOthers) EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, name), L"stays") << key;
    }

    // Again, with nothing left to delete: still a success.
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, extensions32.c_str());
    RegistryStores admin;
    ScriptedPrompts prompts;
    prompts.Answer(IDYES);
    EXPECT_EQ(DeleteAllAddedButtons(admin, prompts), 0);
    EXPECT_EQ(prompts.shown.back().title + L"|" + prompts.shown.back().text, success);
}

}  // namespace
}  // namespace velmora
