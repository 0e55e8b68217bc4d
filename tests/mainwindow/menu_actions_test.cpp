#include "mainwindow/menu_actions.h"

#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

HWND const kMainWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
constexpr UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;

// What the shell answers, and what the user is told: the maker's web site says "Oops!" only when
// no program is associated; the user guide names a missing file without calling the shell, and
// reports every shell failure.
TEST(MenuActionsTest, ShellResultsAndTheirMessages) {
    testing::TempFolder withGuide, withoutGuide;
    const std::wstring guide = withGuide.WriteFile(L"vlm.html", "<!DOCTYPE html><title>Guide</title>");
    // The menu item (help or the web site), the folder, the shell's answer; the calls made, the message's title.
    const struct {
        bool help;
        const std::wstring* folder;
        INT_PTR answer;
        size_t calls;
        const wchar_t* title;
    } cases[] = {
        {false, nullptr, 31, 1, L"Oops!"},
        {false, nullptr, 2, 1, nullptr},
        {false, nullptr, 33, 1, nullptr},
        {true, &withGuide.path(), 42, 1, nullptr},
        {true, &withGuide.path(), 31, 1, L"Help"},
        {true, &withGuide.path(), 2, 1, L"Help"},
        {true, &withoutGuide.path(), 42, 0, L"Help"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.help << " " << c.answer);
        testing::ScriptedPrompts prompts;
        testing::ScriptedShell shell(c.answer);
        if (c.help)
            mnuHelpTopics_Click(kMainWindow, prompts, shell, *c.folder);
        else
            mnuhelpfreesoft_Click(kMainWindow, prompts, shell);
        ASSERT_EQ(shell.calls.size(), c.calls);
        if (c.calls) {
            EXPECT_EQ(shell.calls[0], L"open " + (c.help ? guide : std::wstring(kMakerWebSite)));
            EXPECT_EQ(shell.owners[0], kMainWindow);
        }
        ASSERT_EQ(prompts.shown.size(), c.title ? 1u : 0u);
        if (!c.title) continue;
        EXPECT_EQ(prompts.shown[0].title, c.title);
        EXPECT_EQ(prompts.shown[0].style, kExclamation);
        EXPECT_TRUE(c.help || prompts.shown[0].text == L"Could not start your web browser.");
        EXPECT_TRUE(c.calls || prompts.shown[0].text.find(c.folder->c_str()) != std::wstring::npos) << "names the file";
    }
}

TEST(MenuActionsTest, TipsSwitchTipOfTheDayAndAMissingBrowser) {
    const wchar_t* const options = L"Software\\VB and VBA Program Settings\\vlm\\Options";
    EXPECT_FALSE(mnuHelpTipsSU_Click(SystemRegistry(), L"vlm", true));
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, options, L"Show Tips at Startup"), L"0");
    EXPECT_TRUE(mnuHelpTipsSU_Click(SystemRegistry(), L"vlm", false));
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, options, L"Show Tips at Startup"), L"1");

    testing::ScriptedEditorPrompts editor;
    editor.tipAnswers.push_back(false);
    EXPECT_FALSE(mnuHelpTips_Click(editor, true));
    EXPECT_EQ(editor.tipsOpenedWith, std::vector<bool>{true});

    // A class nobody registered stands for a computer without Internet Explorer.
    const CLSID unregistered = {0x6b1c3f20, 0x5d7e, 0x4a51, {0x9f, 0x0e, 0x2c, 0x7b, 0x11, 0x8a, 0x3d, 0x64}};
    testing::ScriptedPrompts prompts;
    EXPECT_FALSE(mnufileIE_Click(prompts, unregistered));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Problem");
    EXPECT_EQ(prompts.shown[0].style, kExclamation);
}

}  // namespace
}  // namespace velmora
