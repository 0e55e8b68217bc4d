#include "mainwindow/menu_actions.h"

#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

class ScriptedShell : public ShellApi {
public:
    explicit ScriptedShell(INT_PTR answer) : answer(answer) {}
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& target) override {
        calls.push_back(verb + L" " + target);
        owners.push_back(owner);
        return answer;
    }
    INT_PTR answer;
    std::vector<std::wstring> calls;
    std::vector<HWND> owners;
};

HWND const kMainWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));

TEST(MoreFreeSoftware, OpensTheMakersWebSiteAndOnlyNoAssociationSaysOops) {
    for (INT_PTR answer : {INT_PTR{31}, INT_PTR{2}, INT_PTR{33}}) {
        SCOPED_TRACE(answer);
        testing::ScriptedPrompts prompts;
        ScriptedShell shell(answer);
        mnuhelpfreesoft_Click(kMainWindow, prompts, shell);
        EXPECT_EQ(shell.calls, std::vector<std::wstring>{std::wstring(L"open ") + kMakerWebSite});
        EXPECT_EQ(shell.owners, std::vector<HWND>{kMainWindow});
        if (answer == 31) {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_EQ(prompts.shown[0].title, L"Oops!");
            EXPECT_EQ(prompts.shown[0].text, L"Could not start your web browser.");
            EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
        } else {
            EXPECT_TRUE(prompts.shown.empty());
        }
    }
}

TEST(MoreFreeSoftware, TheWebSiteIsAnAddressOnTheExampleDomain) {
    const std::wstring web = kMakerWebSite;
    EXPECT_TRUE(web.starts_with(L"https://www.example.com/"));
    EXPECT_TRUE(std::wstring(kSupportEmail).ends_with(L"@example.com"));
}

TEST(HelpContents, TheGuideLiesInTheProgramsFolderWithOneBackslashBeforeItsName) {
    EXPECT_EQ(UserGuidePath(L"C:\\"), L"C:\\vlm.html");
    EXPECT_EQ(UserGuidePath(L"C:\\Program Files\\Velmora\\"), L"C:\\Program Files\\Velmora\\vlm.html");
    EXPECT_EQ(UserGuidePath(L"C:\\Program Files\\Velmora"), L"C:\\Program Files\\Velmora\\vlm.html");
}

TEST(HelpContents, OpensTheGuideBesideTheProgram) {
    testing::TempFolder folder;
    const std::wstring guide = folder.WriteFile(L"vlm.html", "<!DOCTYPE html><title>Guide</title>");
    ASSERT_EQ(folder.path().back(), L'\\');
    testing::ScriptedPrompts prompts;
    ScriptedShell shell(42);
    mnuHelpTopics_Click(kMainWindow, prompts, shell, folder.path());
    EXPECT_EQ(shell.calls, std::vector<std::wstring>{L"open " + guide});
    EXPECT_EQ(shell.owners, std::vector<HWND>{kMainWindow});
    EXPECT_TRUE(prompts.shown.empty());

    // The same folder given without its last backslash.
    mnuHelpTopics_Click(kMainWindow, prompts, shell, folder.path().substr(0, folder.path().size() - 1));
    EXPECT_EQ(shell.calls.back(), L"open " + guide);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(HelpContents, AMissingGuideIsReportedWithoutCallingTheShell) {
    testing::TempFolder folder;
    testing::ScriptedPrompts prompts;
    ScriptedShell shell(42);
    mnuHelpTopics_Click(kMainWindow, prompts, shell, folder.path());
    EXPECT_TRUE(shell.calls.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Help");
    EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
    EXPECT_NE(prompts.shown[0].text.find(folder.path() + L"vlm.html"), std::wstring::npos) << "names the file";
}

TEST(HelpContents, AShellFailureIsReported) {
    testing::TempFolder folder;
    folder.WriteFile(L"vlm.html", "<!DOCTYPE html><title>Guide</title>");
    for (INT_PTR answer : {INT_PTR{31}, INT_PTR{2}}) {
        testing::ScriptedPrompts prompts;
        ScriptedShell shell(answer);
        mnuHelpTopics_Click(kMainWindow, prompts, shell, folder.path());
        EXPECT_EQ(shell.calls.size(), 1u);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].title, L"Help");
        EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
        EXPECT_NE(prompts.shown[0].text.find(L"could not be opened"), std::wstring::npos);
    }
}

TEST(ShowTipsAtStartup, TogglingFromTickedStoresZeroAndThenOne) {
    const wchar_t* const options = L"Software\\VB and VBA Program Settings\\vlm\\Options";
    bool ticked = true;
    ticked = mnuHelpTipsSU_Click(SystemRegistry(), L"vlm", ticked);
    EXPECT_FALSE(ticked);
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, options, L"Show Tips at Startup"), L"0");
    ticked = mnuHelpTipsSU_Click(SystemRegistry(), L"vlm", ticked);
    EXPECT_TRUE(ticked);
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, options, L"Show Tips at Startup"), L"1");
}

TEST(TipOfTheDay, OpensWithTheMenuTickAndHandsBackTheCheckBox) {
    testing::ScriptedEditorPrompts prompts;
    prompts.tipAnswers.push_back(false);
    EXPECT_FALSE(mnuHelpTips_Click(prompts, true));
    EXPECT_EQ(prompts.tipsOpenedWith, std::vector<bool>{true});
}

TEST(OpenNewIEWindow, ABrowserThatCannotBeMadeIsReportedAndTheProgramGoesOn) {
    // A class nobody registered, and a class that is no browser (the shell link object).
    const CLSID unregistered = {0x6b1c3f20, 0x5d7e, 0x4a51, {0x9f, 0x0e, 0x2c, 0x7b, 0x11, 0x8a, 0x3d, 0x64}};
    const CLSID shellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    for (const CLSID& browserClass : {unregistered, shellLink}) {
        testing::ScriptedPrompts prompts;
        EXPECT_FALSE(mnufileIE_Click(prompts, browserClass));
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].title, L"Problem");
        EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
        EXPECT_NE(prompts.shown[0].text.find(L"Internet Explorer"), std::wstring::npos);
    }
}

}  // namespace
}  // namespace velmora
