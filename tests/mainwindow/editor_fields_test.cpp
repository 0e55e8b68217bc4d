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
    testing::ScriptedEditorPrompts prompts;
    CRegSettings settings = RegistryStores().preferences;
    EditorFields fields{prompts, settings, ProgramFolder()};
    testing::TempFolder temp;
};

// What ends up in the three texts after the user types into one field, for each setting of
// "Derive from Filename" and "Synch All". The texts start as "b", "s" and "m" before the boxes
// are ticked; typing the parameters shows what ticking them did.
TEST_F(EditorFieldsTest, DeriveAndSynchChains) {
    const struct {
        int derive, synch;
        T typedInto;
        const wchar_t *typed, *texts;
    } cases[] = {
        {1, 0, T::Text1, L"C:\\Windows\\Notepad.exe", L"Notepad||"},
        {1, 1, T::Text1, L"C:\\Windows\\Notepad.exe", L"Notepad|Notepad|Notepad"},
        {1, 1, T::Text1, L"http://example.com/page.html",
         L"http://example.com/page|http://example.com/page|http://example.com/page"},
        {0, 0, T::Text1, L"C:\\Windows\\Notepad.exe", L"b|s|m"},
        {0, 1, T::Text3, L"status", L"status|status|status"},
        {0, 1, T::Text4, L"menu", L"menu|menu|menu"},
        {0, 1, T::Text2, L"button", L"button|button|button"},
        {0, 0, T::Text3, L"status", L"b|status|m"},
        {0, 1, T::Text5, L"-x", L"b|b|b"},  // "Synch All" ticked copies the button text
        {1, 0, T::Text5, L"-x", L"||"},     // "Derive" ticked without it empties the other two
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.typed)));
        EditorFields f(prompts, settings, ProgramFolder());
        f.SetCheck(C::Check2, 0);
        f.SetText(T::Text2, L"b");
        f.SetText(T::Text3, L"s");
        f.SetText(T::Text4, L"m");
        f.SetCheck(C::Check2, c.synch);
        f.SetCheck(C::Check3, c.derive);
        f.UserTyped(c.typedInto, c.typed);
        EXPECT_EQ(f.Text(T::Text2) + L"|" + f.Text(T::Text3) + L"|" + f.Text(T::Text4), c.texts);
    }
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
    EXPECT_EQ(fields.Text(T::Text2) + fields.Text(T::Text3) + fields.Text(T::Text4), L"notepadnotepadnotepad");
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
// file with no icon, with and without the notice turned off; clearing the file unticks the box
// and shows the library icon again.
TEST_F(EditorFieldsTest, UseProgramIcon) {
    const std::wstring notepad = SystemFile(L"notepad.exe"), document = temp.WriteFile(L"settings.ini", "[a]\r\n");
    // The file, the stored "Icon Message" (null: none), the notice flag; ticked, notice shown.
    const struct {
        std::wstring file;
        const wchar_t *iconMessage, *noticeFlag;
        bool ticked, noticeShown;
    } cases[] = {{notepad, nullptr, L"", true, true},
                 {notepad, L"Yes", L"", true, false},
                 {notepad, L"yes", L"no", true, false},
                 {document, nullptr, L"", true, true},
                 {temp.WriteFile(L"data.zzqq", "no icon"), nullptr, L"", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.file));
        testing::ScriptedEditorPrompts asked;
        EditorFields f(asked, settings, ProgramFolder());
        if (c.iconMessage) {
            ASSERT_TRUE(settings.SaveSetting(L"Messages", L"Icon Message", c.iconMessage));
        } else {
            static_cast<void>(settings.DeleteSetting(L"Messages", L"Icon Message"));
        }
        f.UserTyped(T::Text1, c.file);
        f.LibraryIconNumber = 9;
        f.IconFromDisk = true;
        f.IconNoticeFlag = c.noticeFlag;
        f.UserClicked(C::Check1);
        EXPECT_EQ(f.Check(C::Check1), c.ticked ? 1 : 0);
        EXPECT_EQ(asked.notices.size(), c.noticeShown ? 1u : 0u);
        EXPECT_EQ(asked.boxes.shown.size(), c.ticked ? 0u : 1u) << "\"No Icon Found\" (its text: the catalogue)";
        EXPECT_EQ(f.IconNoticeFlag, L"");
        EXPECT_FALSE(f.IconFromDisk) << "the program's icon, or the library icon shown";
        EXPECT_EQ(f.Image1.libraryNumber, c.ticked ? 0 : 9);
        EXPECT_TRUE(!c.ticked || (!f.picico.empty() && f.Image1.icon));
        f.UserTyped(T::Text1, L"");
        EXPECT_FALSE(f.Check(C::Check1) || f.UseProgramIconEnabled());
        EXPECT_EQ(f.Image1.libraryNumber, 9);
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
