#include "mainwindow/editor_commands.h"

#include "common/module_info.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/editor_command_parts.h"
#include "tests/support/shipped_files.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using T = TextField;
using C = CheckField;

class EditorCommandsTest : public ::testing::Test, protected testing::EditorCommandParts {
protected:
    EditorCommandsTest() {
        commands.focus = [this](const FocusRequest& request) { focused.push_back(request.field); };
    }
    void Fill(const std::wstring& file, const std::wstring& text) {
        fields.SetCheck(C::Check2, 1);
        fields.SetText(T::Text1, file);
        fields.SetText(T::Text2, text);
    }

    std::vector<T> focused;
};

// The checks before a button is written, in their order, each with its message and focus.
TEST_F(EditorCommandsTest, ChecksStopTheAddWithTheirMessages) {
    const UINT stop = MB_OK | MB_ICONSTOP, warning = MB_OKCANCEL | MB_ICONEXCLAMATION;
    const struct {
        const wchar_t *file, *parameters, *button, *menu, *status;
        int library;
        UINT style;
        T focus;
    } cases[] = {
        {L"", L"", L"b", L"m", L"s", 1, stop, T::Text1},
        {L"https://example.com/", L"-x", L"b", L"m", L"s", 1, stop, T::Text5},
        {L" ", L"", L"b", L"m", L"s", 26, stop, T::Text1},  // no such library icon (no focus)
        {L" ", L"", L"", L"m", L"s", 1, stop, T::Text2},
        {L" ", L"", L"b", L"", L"s", 1, stop, T::Text4},
        {L" ", L"", L"b", L"m", L"", 1, warning, T::Text3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "focus " << static_cast<int>(c.focus) << ", library " << c.library);
        fields.SetCheck(C::Check2, 0);
        fields.SetText(T::Text1, c.file);
        fields.SetText(T::Text5, c.parameters);
        fields.SetText(T::Text2, c.button);
        fields.SetText(T::Text4, c.menu);
        fields.SetText(T::Text3, c.status);
        fields.LibraryIconNumber = c.library;
        prompts.boxes.shown.clear();
        focused.clear();
        if (c.style & MB_OKCANCEL) prompts.boxes.Answer(IDCANCEL);
        EXPECT_FALSE(commands.Command2_Click());
        ASSERT_EQ(prompts.boxes.shown.size(), 1u);
        EXPECT_EQ(prompts.boxes.shown[0].title, c.style == stop ? L"Problem" : L"Warning");
        EXPECT_EQ(prompts.boxes.shown[0].style, c.style);
        EXPECT_EQ(focused, c.library == 26 ? std::vector<T>{} : std::vector<T>{c.focus});
        EXPECT_TRUE(list.rows.empty());
    }
    EXPECT_EQ(
        prompts.boxes.shown[0].text,
        L"The \"Status Bar Text\" field is empty. If you continue, no text will be displayed in I.E.'s status bar "
        L"when the mouse cursor is over the \"Tools\" menu command associated with the button you are adding. "
        L"Click \"OK\" to continue or \"Cancel\" to go back and specify some text.");
    prompts.boxes.Answer(IDOK);  // OK goes on with an empty status bar text
    EXPECT_TRUE(commands.Command2_Click());
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::RecordKey(0), L"MenuStatusBar"), L"");

    for (size_t i = list.rows.size(); i < 20; ++i) list.rows.push_back(list.rows[0]);
    prompts.boxes.shown.clear();
    Fill(L"C:\\x.exe", L"x");
    EXPECT_FALSE(commands.Command2_Click());
    EXPECT_EQ(prompts.boxes.shown[0].title, L"Too many buttons.");
}

TEST_F(EditorCommandsTest, AddResetsTheEditorAndTellsToRestartTheBrowser) {
    Fill(L"C:\\Tools\\tool.exe", L"Tool");
    fields.SetScopeAllUsers(true);
    fields.SetCheck(C::Check3, 1);
    fields.LibraryIconNumber = 5;
    ASSERT_TRUE(commands.Command2_Click());
    EXPECT_EQ(rowImages[0], 5);
    EXPECT_EQ(prompts.notices, std::vector<Notice>{Notice::AddButton});
    for (T field : {T::Text1, T::Text2, T::Text3, T::Text4, T::Text5}) EXPECT_EQ(fields.Text(field), L"");
    EXPECT_FALSE(fields.scopeAllUsers());
    EXPECT_EQ(fields.Check(C::Check3), 0);
    EXPECT_EQ(fields.LibraryIconNumber, 1);
    EXPECT_EQ(fields.Image1.libraryNumber, 1);
    EXPECT_EQ(fields.IconNoticeFlag, L"");

    testing::WriteString(HKEY_CURRENT_USER, L"Software\\Corvale\\Velmora\\Messages", L"Restart IE", L"no");
    Fill(L"C:\\Tools\\other.exe", L"Other");
    ASSERT_TRUE(commands.Command2_Click());
    EXPECT_EQ(prompts.notices.size(), 1u);
}

TEST_F(EditorCommandsTest, EditUpdateAndDeleteTheCurrentRow) {
    Fill(L"C:\\Tools\\tool.exe", L"Tool");
    ASSERT_TRUE(commands.Command2_Click());
    // "Edit Selected" with both boxes ticked: derive first, synch after each text, the status
    // bar text last.
    list.rows[0].button.statusBarText = L"Runs the tool";
    fields.SetCheck(C::Check3, 1);
    commands.Command7_Click(0);
    EXPECT_EQ(fields.Text(T::Text2), L"Runs the tool");
    EXPECT_EQ(fields.Text(T::Text4), L"Runs the tool");

    // No current row: nothing, not even a question.
    EXPECT_FALSE(commands.Command4_Click(-1) || commands.Command8_Click(-1));
    EXPECT_TRUE(prompts.boxes.shown.empty());

    prompts.boxes.Answer(IDNO);
    EXPECT_FALSE(commands.Command4_Click(0));
    EXPECT_EQ(fields.Text(T::Text1), L"C:\\Tools\\tool.exe") << "No changes nothing, not even the editor";
    prompts.boxes.Answer(IDYES);
    ASSERT_TRUE(commands.Command4_Click(0));
    EXPECT_EQ(prompts.boxes.shown[1].title, L"Updating Button");
    EXPECT_EQ(prompts.boxes.shown[1].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(list.rows[0].button.buttonText, L"Runs the tool");
    EXPECT_EQ(prompts.notices.back(), Notice::Change);

    prompts.boxes.Answer(IDYES);
    ASSERT_TRUE(commands.Command8_Click(0));
    EXPECT_EQ(prompts.boxes.shown.back().title, L"Deleting Button");
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::kRecordsKey, L"Count"), L"0");
    EXPECT_EQ(prompts.notices.size(), 3u);
}

// With "Use Program Icon" ticked, the picture follows the file typed into "File to Launch", without a
// box while the user types; the icon file saved is the picture of the file named at "Add Button".
TEST_F(EditorCommandsTest, TheProgramIconSavedIsTheIconOfTheFileInTheField) {
    const std::wstring notepad = testing::SystemFile(L"notepad.exe"), cmd = testing::SystemFile(L"cmd.exe");
    auto bytesOf = [&](const std::wstring& program) {
        const std::wstring file = folder.path() + L"expected.ico";
        EXPECT_TRUE(SaveIconFile(ProgramIconPicture(program, 0, true).get(), file));
        return testing::ReadFileBytes(file);
    };
    ASSERT_NE(bytesOf(notepad), bytesOf(cmd)) << "two programs with two pictures";
    fields.UserTyped(T::Text1, notepad);
    fields.UserClicked(C::Check1);
    fields.UserTyped(T::Text1, cmd.substr(0, 5));  // half typed: no icon yet, no picture, no box
    EXPECT_EQ(fields.Image1.icon.get(), nullptr);
    fields.UserTyped(T::Text1, cmd);
    fields.UserTyped(T::Text2, L"Command");
    EXPECT_TRUE(prompts.boxes.shown.empty());
    ASSERT_TRUE(commands.Command2_Click());
    EXPECT_EQ(list.rows[0].button.iconFile, folder.path() + L"icons\\cmd.ico");
    EXPECT_EQ(testing::ReadFileBytes(list.rows[0].button.iconFile), bytesOf(cmd));

    // A file that still has no icon at "Add Button": the box says so then, and goes unticked.
    fields.UserTyped(T::Text1, notepad);
    fields.UserClicked(C::Check1);
    fields.UserTyped(T::Text1, folder.path() + L"none.exe");
    fields.UserTyped(T::Text2, L"None");
    EXPECT_TRUE(prompts.boxes.shown.empty());
    EXPECT_FALSE(commands.Command2_Click());
    ASSERT_EQ(prompts.boxes.shown.size(), 1u);
    EXPECT_EQ(prompts.boxes.shown[0].title, L"No Icon Found");
    EXPECT_EQ(prompts.boxes.shown[0].text, L"No program icon could be found for this file.");
    EXPECT_EQ(prompts.boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(fields.Check(C::Check1), 0);
    EXPECT_EQ(fields.Image1.libraryNumber, 1);
    EXPECT_EQ(list.rows.size(), 1u);
}

// A disk icon taken from a button that is then deleted, and an icon file gone behind the editor's
// back, both become library icon 1: shown, and saved by the next add or update. The list's images
// follow: library icon n is image n, a program or disk icon's picture comes after the 25, kept
// while its row shows it, and its place is taken again once no row does.
TEST_F(EditorCommandsTest, AnIconFileThatWentBecomesLibraryIcon1) {
    const std::wstring star = folder.path() + L"star.ico";
    ASSERT_TRUE(::CopyFileW((folder.path() + L"icons\\9.ico").c_str(), star.c_str(), FALSE));
    for (const wchar_t* text : {L"Pad", L"Star", L"Other"}) {  // a program icon, then two disk icons
        const bool pad = *text == L'P';
        Fill(pad ? testing::SystemFile(L"notepad.exe") : L"C:\\Tools\\tool.exe", text);
        if (!pad) prompts.openAnswers.push_back(star);
        if (pad)
            fields.UserClicked(C::Check1);
        else
            fields.Command5_Click();
        ASSERT_TRUE(commands.Command2_Click());
    }
    EXPECT_EQ(rowImages, (std::vector<long long>{26, 27, 28}));
    commands.Command7_Click(1);
    prompts.boxes.Answer(IDYES);
    ASSERT_TRUE(commands.Command8_Click(1));
    EXPECT_FALSE(fields.IconFromDisk);
    EXPECT_EQ(fields.Image1.libraryNumber, 1);
    Fill(L"C:\\Tools\\new.exe", L"New");
    ASSERT_TRUE(commands.Command2_Click());
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::RecordKey(2), L"Icon"), L"1");
    EXPECT_EQ(rowImages, (std::vector<long long>{26, 28, 1}));

    // The program-icon button's picture on show, then a disk-icon button whose file went.
    commands.Command7_Click(0);
    ASSERT_NE(fields.Image1.icon.get(), nullptr);
    ASSERT_TRUE(::DeleteFileW(list.rows[1].button.iconFile.c_str()));
    commands.Command7_Click(1);
    EXPECT_EQ(fields.Image1.libraryNumber, 1);
    EXPECT_EQ(fields.Draft().button.iconKind, IconKind::Library);
    prompts.boxes.Answer(IDYES);
    ASSERT_TRUE(commands.Command4_Click(1));
    EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::RecordKey(1), L"Icon"), L"1");
    EXPECT_EQ(prompts.boxes.shown.size(), 2u) << "the two questions only";
    EXPECT_EQ(rowImages, (std::vector<long long>{26, 1, 1}));
    Fill(testing::SystemFile(L"notepad.exe"), L"Pad again");
    fields.UserClicked(C::Check1);
    ASSERT_TRUE(commands.Command2_Click());
    EXPECT_EQ(rowImages, (std::vector<long long>{26, 1, 1, 27}));
    EXPECT_EQ(images.Count(), 28) << "no image added while one was free";
}

TEST_F(EditorCommandsTest, ResetAllToDefaultForgetsTheDiskIcon) {
    prompts.openAnswers.push_back(folder.path() + L"icons\\3.ico");
    fields.Command5_Click();
    fields.SetText(T::Text1, L"C:\\a.exe");
    fields.SetCheck(C::Check2, 0);
    fields.Command9_Click();
    for (T field : {T::Text1, T::Text2, T::Text3, T::Text4, T::Text5}) EXPECT_EQ(fields.Text(field), L"");
    EXPECT_EQ(fields.Check(C::Check2), 1);
    EXPECT_EQ(fields.Check(C::Check1), 0);
    EXPECT_FALSE(fields.IconFromDisk);
    EXPECT_EQ(fields.Image1.libraryNumber, 1);
    EXPECT_EQ(fields.Draft().button.iconKind, IconKind::Library);
    EXPECT_TRUE(prompts.notices.empty() && prompts.boxes.shown.empty()) << "a reset shows nothing";
}

}  // namespace
}  // namespace velmora
