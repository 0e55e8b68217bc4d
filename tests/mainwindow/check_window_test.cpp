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
    CheckWindow window(SystemRegistry(), FilePlaces::BesideProgram(folder.path()), [&repairs] { ++repairs; });
    HWND hwnd = window.CreateModeless(nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(WindowText(hwnd), L"Check Buttons");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kLabel1), L"Velmora checked 1 button and its 20 slots; 1 thing is wrong:");
    const std::wstring orphan = L"Slot 7: an entry under HKEY_CURRENT_USER that no button owns.";
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kText1), orphan + L" Repair removes it.");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kCommand1), L"&Repair");
    EXPECT_EQ(WindowText(hwnd, IDCANCEL), L"Close");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hwnd, CheckWindow::kCommand1)));

    ClickButton(hwnd, CheckWindow::kCommand1);
    EXPECT_EQ(repairs, 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(6)));
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kLabel1), L"Velmora checked 1 button and its 20 slots:");
    EXPECT_EQ(WindowText(hwnd, CheckWindow::kText1),
              L"Repaired:\r\n\r\n  " + orphan + L"\r\n\r\nThe 1 button is in order.");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd, CheckWindow::kCommand1)));
}

}  // namespace
}  // namespace velmora
