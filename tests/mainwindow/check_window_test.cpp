// The window of "&Check Buttons...": created for real on a store with one button and an entry that
// no button owns.
#include "buttons/button_operations.h"
#include "mainwindow/check_window.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <optional>

namespace velmora {
namespace {

using namespace testing;

TEST(CheckWindowTest, ListsTheFindingsRepairsAndShowsTheCheckAgain) {
    TempFolder folder;
    CopyLibraryIcons(folder.path());
    RegistryStores stores;
    ButtonList list;
    ScriptedPrompts prompts;
    ButtonOperations operations(list, stores, prompts, folder.path());
    ButtonDraft draft;
    draft.button.fileToLaunch = SystemFile(L"notepad.exe");
    draft.button.buttonText = draft.button.menuText = L"Notepad";
    draft.button.libraryNumber = 5;
    ASSERT_TRUE(operations.AddButton(draft).done);
    WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");

    int repairs = 0;
    CheckWindow window(
        SystemRegistry(), FilePlaces::BesideProgram(folder.path()), [&repairs] { ++repairs; }, 19045);
    HWND hwnd = window.CreateModeless(nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(WindowText(hwnd), L"Check Buttons");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kLabel1), L"Velmora checked 1 button and its 20 slots; 1 thing is wrong:");
    const std::wstring entry =
        L"Extensions\\" + std::wstring(ButtonSlotIds[6]) + L" under HKEY_CURRENT_USER (\"Old\", launches \"\")";
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kText1),
              L"Slot 7: the browser entry " + entry + L" belongs to no listed button. Repair removes it.");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kCommand1), L"&Repair");
    EXPECT_EQ(WindowText(hwnd, IDCANCEL), L"Close");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hwnd, CheckWindow::kCommand1)));

    ClickButton(hwnd, CheckWindow::kCommand1);
    EXPECT_EQ(repairs, 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(6)));
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kLabel1), L"Velmora checked 1 button and its 20 slots:");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kText1),
              L"Repaired:\r\n\r\n  Slot 7: removed the entry " + entry + L".\r\n\r\nThe 1 button is in order.");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd, CheckWindow::kCommand1)));
}

RECT ScreenRect(HWND dialog, int id) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    return rect;
}

// On Windows 11 a note above the heading says that no browser there shows the buttons; the heading
// and the findings stay as they are, and the window grows to keep the whole note in view.
TEST(CheckWindowTest, OnWindows11ANoteAboveTheFindingsSaysNoBrowserShowsTheButtons) {
    TempFolder folder;
    std::optional<LONG> usualHeight;
    const struct {
        unsigned long build;
        bool note;
    } windows[] = {{19045, false}, {7601, false}, {22000, true}, {26100, true}};
    for (const auto& c : windows) {
        SCOPED_TRACE(c.build);
        CheckWindow window(SystemRegistry(), FilePlaces::BesideProgram(folder.path()), {}, c.build);
        HWND hwnd = window.CreateModeless(nullptr);
        ASSERT_TRUE(hwnd);
        EXPECT_EQ(WindowText(hwnd, CheckWindow::kLabel1), L"Velmora checked 0 buttons and its 20 slots:");
        EXPECT_EQ(WindowText(hwnd, CheckWindow::kText1), L"There are no buttons, and nothing is left of any.");
        RECT outer{};
        ::GetWindowRect(hwnd, &outer);
        if (!usualHeight) usualHeight = outer.bottom - outer.top;
        EXPECT_EQ(window.Item(CheckWindow::kLabel2) != nullptr, c.note);
        EXPECT_EQ(outer.bottom - outer.top > *usualHeight, c.note);
        if (!c.note) continue;
        EXPECT_TRUE(WindowText(hwnd, CheckWindow::kLabel2)
                        .starts_with(L"Note: Windows 11 has no Internet Explorer, so these buttons do not show on "
                                     L"this computer."));
        EXPECT_LE(ScreenRect(hwnd, CheckWindow::kLabel2).bottom, ScreenRect(hwnd, CheckWindow::kLabel1).top);
        EXPECT_LE(ScreenRect(hwnd, CheckWindow::kText1).bottom, ScreenRect(hwnd, IDCANCEL).top);
        EXPECT_LE(ScreenRect(hwnd, IDCANCEL).bottom, outer.bottom);
    }
}

}  // namespace
}  // namespace velmora
