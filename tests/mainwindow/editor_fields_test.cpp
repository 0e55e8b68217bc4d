#include "mainwindow/editor_fields.h"

#include "common/module_info.h"
#include "settings/preferences.h"

#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using T = TextField;
using C = CheckField;
using testing::SystemFile;

class EditorFieldsTest : public ::testing::Test {
protected:
    void Tick(C box, int value) { fields.SetCheck(box, value); }
    void ExpectTexts(const std::wstring& button, const std::wstring& status, const std::wstring& menu) {
        EXPECT_EQ(fields.Text(T::Text2), button);
        EXPECT_EQ(fields.Text(T::Text3), status);
        EXPECT_EQ(fields.Text(T::Text4), menu);
    }

    testing::ScriptedEditorPrompts prompts;
    CRegSettings settings{SystemRegistry(), L"Velmora"};
    EditorFields fields{prompts, settings, ProgramFolder()};
    testing::TempFolder temp;
};

// What ends up in the three texts after the user types into one field, for each setting of
// "Derive from Filename" and "Synch All". The texts start as "b", "s" and "m" before the boxes
// are ticked.
TEST_F(EditorFieldsTest, DeriveAndSynchChains) {
    struct Case {
        int derive, synch;
        T typedInto;
        const wchar_t* typed;
        const wchar_t *button, *status, *menu;
    } cases[] = {
        {1, 0, T::Text1, L"C:\\Windows\\Notepad.exe", L"Notepad", L"", L""},
        {1, 1, T::Text1, L"C:\\Windows\\Notepad.exe", L"Notepad", L"Notepad", L"Notepad"},
        {1, 1, T::Text1, L"http://example.com/page.html", L"http://example.com/page", L"http://example.com/page",
         L"http://example.com/page"},
        {0, 0, T::Text1, L"C:\\Windows\\Notepad.exe", L"b", L"s", L"m"},
        {0, 1, T::Text3, L"status", L"status", L"status", L"status"},
        {0, 1, T::Text4, L"menu", L"menu", L"menu", L"menu"},
        {0, 1, T::Text2, L"button", L"button", L"button", L"button"},
        {0, 0, T::Text3, L"status", L"b", L"status", L"m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.typed)));
        EditorFields f(prompts, settings, ProgramFolder());
        f.SetCheck(C::Check2, 0);
        f.SetText(T::Text2, L"b");
        f.SetText(T::Text3, L"s");
        f.SetText(T::Text4, L"m");
        f.SetCheck(C::Check2, c.synch);
        f.SetCheck(C::Check3, c.derive);
        f.UserTyped(c.typedInto, c.typed);
        EXPECT_EQ(f.Text(T::Text2), c.button);
        EXPECT_EQ(f.Text(T::Text3), c.status);
        EXPECT_EQ(f.Text(T::Text4), c.menu);
    }
}

TEST_F(EditorFieldsTest, TickingCopiesOneWayAndUntickingChangesNothing) {
    Tick(C::Check2, 0);
    fields.SetText(T::Text2, L"Button");
    fields.SetText(T::Text3, L"Status");
    fields.SetText(T::Text4, L"Menu");
    fields.UserClicked(C::Check2);  // ticked: Button Text goes into the other two
    ExpectTexts(L"Button", L"Button", L"Button");
    fields.UserTyped(T::Text4, L"Tools");
    ExpectTexts(L"Tools", L"Tools", L"Tools");
    fields.UserClicked(C::Check2);
    fields.UserTyped(T::Text1, L"C:\\x\\Other.exe");
    ExpectTexts(L"Tools", L"Tools", L"Tools");
    fields.UserClicked(C::Check3);  // ticked without "Synch All": the other two are emptied
    ExpectTexts(L"Other", L"", L"");
    fields.UserTyped(T::Text3, L"S");
    fields.UserClicked(C::Check3);
    ExpectTexts(L"Other", L"S", L"");
}

TEST_F(EditorFieldsTest, BrowseTakesTheChosenProgramAndItsIconWithoutTheNotice) {
    fields.UserClicked(C::Check3);
    fields.Command1_Click();  // cancelled
    EXPECT_EQ(fields.Text(T::Text1), L"");
    ASSERT_EQ(prompts.openDialogs.size(), 1u);
    EXPECT_EQ(prompts.openDialogs[0].filter,
              L"Program Files (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*");
    EXPECT_EQ(prompts.openDialogs[0].title, L"Select Program File");
    EXPECT_EQ(prompts.openDialogs[0].folder, ProgramFolder());

    const std::wstring notepad = SystemFile(L"notepad.exe");
    prompts.openAnswers.push_back(notepad);
    fields.Command1_Click();
    EXPECT_EQ(fields.Text(T::Text1), notepad);
    ExpectTexts(L"notepad", L"notepad", L"notepad");
    EXPECT_TRUE(prompts.notices.empty());

    // With "Use Program Icon" ticked the new program's icon is taken, still without the notice.
    fields.UserClicked(C::Check1);
    ASSERT_EQ(prompts.notices.size(), 1u);
    prompts.openAnswers.push_back(SystemFile(L"taskmgr.exe"));
    fields.picico.Clear();
    fields.Command1_Click();
    EXPECT_EQ(prompts.notices.size(), 1u);
    EXPECT_FALSE(fields.picico.empty());
    EXPECT_EQ(fields.Check(C::Check1), 1);
    EXPECT_EQ(fields.IconNoticeFlag, L"");
}

// The "Use Program Icon" handler for a program, a document of an associated program, and a
// file with no icon, with and without the notice turned off.
TEST_F(EditorFieldsTest, UseProgramIcon) {
    const std::wstring document = temp.WriteFile(L"settings.ini", "[a]\r\n");
    const std::wstring nothing = temp.WriteFile(L"data.zzqq", "no icon here");
    struct Case {
        std::wstring file;
        const wchar_t* iconMessage;  // the stored flag, or null for none
        const wchar_t* noticeFlag;
        bool ticked, noticeShown;
    } cases[] = {
        {SystemFile(L"notepad.exe"), nullptr, L"", true, true},
        {SystemFile(L"notepad.exe"), L"Yes", L"", true, false},
        {SystemFile(L"notepad.exe"), L"yes", L"no", true, false},
        {document, nullptr, L"", true, true},
        {nothing, nullptr, L"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.file));
        testing::ScriptedEditorPrompts asked;
        EditorFields f(asked, settings, ProgramFolder());
        UseProgramSettings(settings);
        if (c.iconMessage) settings.SaveSetting(L"Messages", L"Icon Message", c.iconMessage);
        else settings.DeleteSetting(L"Messages", L"Icon Message");
        f.UserTyped(T::Text1, c.file);
        f.LibraryIconNumber = 9;
        f.IconFromDisk = true;
        f.IconNoticeFlag = c.noticeFlag;
        f.UserClicked(C::Check1);

        EXPECT_EQ(f.Check(C::Check1), c.ticked ? 1 : 0);
        EXPECT_EQ(asked.notices.size(), c.noticeShown ? 1u : 0u);
        EXPECT_EQ(f.IconNoticeFlag, L"");
        if (c.ticked) {
            EXPECT_FALSE(f.IconFromDisk);
            EXPECT_FALSE(f.picico.empty());
            EXPECT_EQ(f.Image1.libraryNumber, 0);
            EXPECT_NE(f.Image1.icon.get(), nullptr);
            EXPECT_TRUE(asked.boxes.shown.empty());
        } else {
            ASSERT_EQ(asked.boxes.shown.size(), 1u);
            EXPECT_EQ(asked.boxes.shown[0].title, L"No Icon Found");
            EXPECT_EQ(asked.boxes.shown[0].text, L"No program icon could be found for this file.");
            EXPECT_EQ(asked.boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
            EXPECT_EQ(f.Image1.libraryNumber, 9);
            EXPECT_FALSE(f.IconFromDisk) << "the library icon shown is the one used";
        }
        // Unticking shows the library icon again; clearing the file unticks.
        if (c.ticked) {
            f.UserTyped(T::Text1, L"");
            EXPECT_EQ(f.Check(C::Check1), 0);
            EXPECT_FALSE(f.UseProgramIconEnabled());
            EXPECT_EQ(f.Image1.libraryNumber, 9);
        }
    }
}

TEST_F(EditorFieldsTest, LibraryAndDiskIconChoices) {
    fields.UserTyped(T::Text1, SystemFile(L"notepad.exe"));
    fields.UserClicked(C::Check1);
    fields.LibraryIconNumber = 7;

    fields.Command3_Click();  // cancelled
    EXPECT_EQ(prompts.libraryOpenedWith, std::vector<int>{7});
    EXPECT_EQ(fields.Check(C::Check1), 1);
    EXPECT_EQ(fields.LibraryIconNumber, 7);

    prompts.libraryAnswers.push_back(12);
    fields.Command3_Click();
    EXPECT_EQ(fields.LibraryIconNumber, 12);
    EXPECT_EQ(fields.Check(C::Check1), 0);
    EXPECT_FALSE(fields.IconFromDisk);
    EXPECT_EQ(fields.Image1.libraryNumber, 12);
    EXPECT_NE(fields.Image1.icon.get(), nullptr);

    const std::wstring star = ProgramFolder() + L"icons\\6.ico";
    prompts.openAnswers.push_back(star);
    fields.Command5_Click();
    EXPECT_EQ(prompts.openDialogs.back().filter, L"Icon Files (*.ico)|*.ico");
    EXPECT_EQ(prompts.openDialogs.back().title, L"Select Icon");
    EXPECT_TRUE(fields.IconFromDisk);
    EXPECT_EQ(fields.DiskIconFile, star);
    EXPECT_EQ(fields.Image1.libraryNumber, 0);
    EXPECT_FALSE(fields.picico.empty());

    fields.Command5_Click();  // cancelled: the choice stays
    EXPECT_TRUE(fields.IconFromDisk);
    EXPECT_EQ(fields.DiskIconFile, star);
    EXPECT_TRUE(prompts.boxes.shown.empty());
}

}  // namespace
}  // namespace velmora
