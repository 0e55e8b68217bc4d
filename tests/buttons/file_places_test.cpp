// Where a button's own files go when the program's folder cannot be written (an install under
// "Program Files" run by a standard user): the user's place for "Current User", the machine's for
// "All Users"; and buttons whose files lie beside the program go on working.
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/file_places.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/folder_link.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

namespace velmora {
namespace {

using namespace testing;
const std::wstring kNotepad = SystemFile(L"notepad.exe");

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.rfind(L'\\') + 1);
}

class FilePlacesTest : public ::testing::Test {
protected:
    FilePlacesTest() { CopyLibraryIcons(program.path()); }
    ButtonDraft Draft(const std::wstring& text, IconKind kind, ButtonScope scope) {
        ButtonDraft draft;
        draft.button = {kNotepad, L"-x", text, text, text, scope, kind, 12, program.path() + L"icons\\17.ico", L""};
        draft.largeIcon = large.get();
        return draft;
    }
    // Each file of the button in the place's "icons\" or "shortcuts\", named by its entry and record.
    void ExpectFilesIn(int slot, const std::wstring& place) {
        const Button& button = list.rows[slot].button;
        const HKEY root = ForAllUsers(button.scope) ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        EXPECT_EQ(FolderOf(button.link), place + L"shortcuts\\");
        EXPECT_TRUE(FileExists(button.link));
        EXPECT_EQ(ReadString(root, EntryKey(slot), L"Exec"), button.link);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Link"), button.link);
        if (button.iconKind == IconKind::Library) return;
        EXPECT_EQ(FolderOf(button.iconFile), place + L"icons\\");
        EXPECT_TRUE(FileExists(button.iconFile));
        EXPECT_EQ(ReadString(root, EntryKey(slot), L"Icon"), button.iconFile);
        EXPECT_EQ(ReadString(root, EntryKey(slot), L"HotIcon"), button.iconFile);
        // Without "Icon File" a program icon's file is the program's name beside the program.
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(slot), L"Icon File")
                      .value_or(ProgramIconFile(program.path(), button.fileToLaunch)),
                  button.iconFile);
    }

    TempFolder program, user, machine;
    // The places "Velmora\" are not there yet: the first file makes them.
    const FilePlaces places{program.path(), user.path() + L"Velmora\\", machine.path() + L"Velmora\\", false};
    ButtonList list;
    RegistryStores stores;
    ScriptedPrompts prompts;
    ButtonOperations operations{list, stores, prompts, places};
    UniqueHicon small = ProgramIconPicture(kNotepad, 0, false);
    UniqueHicon large = ProgramIconPicture(kNotepad, 0, true);
};

TEST_F(FilePlacesTest, EachKindAndScopeHasItsFilesInItsPlaceAcrossARestartUntilDeleted) {
    const FileList shipped = ListFiles(program.path(), {}, true);
    std::vector<std::wstring> files;
    int slot = 0;
    for (ButtonScope scope : {ButtonScope::CurrentUser, ButtonScope::AllUsers}) {
        for (IconKind kind : {IconKind::Library, IconKind::Program, IconKind::Disk}) {
            SCOPED_TRACE(slot);
            ASSERT_TRUE(operations.AddButton(Draft(L"B" + std::to_wstring(slot), kind, scope)).done);
            ExpectFilesIn(slot, ForAllUsers(scope) ? places.machineFolder : places.userFolder);
            for (const std::wstring& file : {list.rows[slot].button.iconFile, list.rows[slot].button.link}) {
                if (!file.empty()) files.push_back(file);
            }
            ++slot;
        }
    }
    EXPECT_EQ(ListFiles(program.path(), {}, true), shipped) << "nothing written beside the program";

    ButtonList restarted;
    ButtonOperations again{restarted, stores, prompts, places};
    again.LoadAtStartup();
    ASSERT_EQ(restarted.rows.size(), list.rows.size());
    for (size_t row = 0; row < list.rows.size(); ++row) {
        const Button &before = list.rows[row].button, &after = restarted.rows[row].button;
        EXPECT_TRUE(after.iconKind == before.iconKind && after.iconFile == before.iconFile &&
                    after.link == before.link && after.scope == before.scope)
            << row;
    }
    while (!restarted.rows.empty()) ASSERT_TRUE(again.DeleteButton(0));
    for (const std::wstring& file : files) EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_TRUE(prompts.shown.empty());
}

// A change of scope takes the files out of the user's place, which no other user reads, and back.
TEST_F(FilePlacesTest, AChangeOfScopeMovesTheFilesToThePlaceOfTheNewScope) {
    ASSERT_TRUE(operations.AddButton(Draft(L"A", IconKind::Program, ButtonScope::CurrentUser)).done);
    for (ButtonScope scope : {ButtonScope::AllUsers, ButtonScope::CurrentUser}) {
        const Button former = list.rows[0].button;
        ASSERT_TRUE(operations.UpdateButton(0, Draft(L"A", IconKind::Program, scope)).done);
        ExpectFilesIn(0, ForAllUsers(scope) ? places.machineFolder : places.userFolder);
        EXPECT_FALSE(FileExists(former.iconFile) || FileExists(former.link));
    }
}

// Buttons made while the program's folder could be written keep their files there: listed at the
// start, kept by an update (of texts and scope alike), removed by a delete. A new file goes to the
// place of the button's scope.
TEST_F(FilePlacesTest, FilesBesideTheProgramGoOnWorking) {
    ButtonOperations writable{list, stores, prompts, program.path()};
    for (IconKind kind : {IconKind::Program, IconKind::Disk}) {
        ASSERT_TRUE(writable.AddButton(Draft(L"A", kind, ButtonScope::CurrentUser)).done);
    }
    const Button program0 = list.rows[0].button, disk1 = list.rows[1].button;
    operations.LoadAtStartup();
    ASSERT_EQ(list.rows.size(), 2u);
    ExpectFilesIn(0, program.path());
    ExpectFilesIn(1, program.path());

    ButtonDraft draft = Draft(L"A2", IconKind::Program, ButtonScope::AllUsers);
    ASSERT_TRUE(operations.UpdateButton(0, draft).done);
    ExpectFilesIn(0, program.path());
    EXPECT_TRUE(list.rows[0].button.iconFile == program0.iconFile && list.rows[0].button.link == program0.link);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Icon File"), std::nullopt) << "as before";

    draft = Draft(L"B", IconKind::Disk, ButtonScope::CurrentUser);
    draft.button.parameters = L"-y";
    ASSERT_TRUE(operations.UpdateButton(1, draft).done);
    ExpectFilesIn(1, places.userFolder);
    EXPECT_FALSE(FileExists(disk1.iconFile) || FileExists(disk1.link));

    ASSERT_TRUE(operations.DeleteButton(0));
    EXPECT_FALSE(FileExists(program0.iconFile) || FileExists(program0.link));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FilePlacesTest, OwnFilesLieInTheIconsAndShortcutsFoldersOfAnyPlace) {
    const std::wstring& userPlace = places.userFolder;
    const struct {
        std::wstring path;
        bool own;
    } cases[] = {
        {program.path() + L"icons\\tool.ico", true},
        {userPlace + L"shortcuts\\tool.lnk", true},
        {places.machineFolder + L"icons\\tool (2).ico", true},
        {userPlace + L"icons\\..\\shortcuts\\tool.lnk", true},
        {program.path() + L"icons\\5gr.ico", false},  // a library icon
        {userPlace + L"icons\\5.ico", false},
        {userPlace + L"icons\\tool.ico::$DATA", false},
        {userPlace + L"tool.ico", false},
        {userPlace + L"icons\\more\\tool.ico", false},
        {user.path() + L"icons\\tool.ico", false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsOwnButtonFile(places, c.path), c.own) << c.path;

    // A folder of a place that is a link leads elsewhere: nothing through it is Velmora's.
    TempFolder elsewhere;
    const std::wstring linked = places.userFolder + L"shortcuts";
    ::RemoveDirectoryW(linked.c_str());
    ::CreateDirectoryW(places.userFolder.c_str(), nullptr);
    if (!MakeFolderLink(linked, elsewhere.path())) GTEST_SKIP() << "no symbolic links here";
    EXPECT_FALSE(IsOwnButtonFile(places, linked + L"\\tool.lnk"));
    EXPECT_TRUE(PassesThroughLink(linked + L"\\tool.lnk", places.userFolder));
    EXPECT_FALSE(PassesThroughLink(places.userFolder + L"icons\\tool.ico", places.userFolder));
}

// Whether the file system keeps a folder's access list as it was made (Wine keeps one only where the
// host's file system takes extended attributes), here the one that gives everyone everything.
bool KeepsAccessLists(const std::wstring& folder) {
    PSECURITY_DESCRIPTOR read = nullptr;
    if (::GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                nullptr, &read) != ERROR_SUCCESS) {
        return false;
    }
    wchar_t* text = nullptr;
    const bool converted = ::ConvertSecurityDescriptorToStringSecurityDescriptorW(
        read, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr);
    const bool everyone = converted && std::wstring(text).find(L"FA;;;WD)") != std::wstring::npos;
    ::LocalFree(text);
    ::LocalFree(read);
    return everyone;
}

// The machine's place is used only as administrators hold it: made by Velmora with an access list
// of its own it is; a folder that lets everyone change it (a standard user may make one in
// %ProgramData% before an administrator's first use) is not, and neither is a link.
TEST(MachineFolderTest, OnlyAFolderOfTheAdministratorsTakesFilesForAllUsers) {
    TempFolder root;
    FilePlaces places = FilePlaces::BesideProgram(root.path() + L"program\\");
    places.machineFolder = root.path() + L"machine\\";
    std::vector<std::wstring> made;
    ASSERT_TRUE(MakeFolderChain(places.machineFolder + L"icons\\", made, places));
    EXPECT_TRUE(IsAdministratorsFolder(places.machineFolder));

    const std::wstring planted = root.path() + L"planted\\";
    PSECURITY_DESCRIPTOR open = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;FA;;;WD)", SDDL_REVISION_1, &open,
                                                                       nullptr));
    SECURITY_ATTRIBUTES everyone{sizeof(everyone), open, FALSE};
    ASSERT_TRUE(::CreateDirectoryW(planted.c_str(), &everyone));
    ::LocalFree(open);
    if (KeepsAccessLists(planted)) {
        EXPECT_FALSE(IsAdministratorsFolder(planted));
    }

    const std::wstring link = root.path() + L"link";
    if (MakeFolderLink(link, places.machineFolder)) {
        EXPECT_FALSE(IsAdministratorsFolder(link + L"\\"));
    }
}

// The real places: the program's temporary folder can be written, and the test of it leaves
// nothing behind; a folder that is not there cannot.
TEST(FindFilePlacesTest, TellsWhetherTheProgramsFolderCanBeWritten) {
    TempFolder program;
    CopyLibraryIcons(program.path());
    const FileList before = ListFiles(program.path(), {}, true);
    const FilePlaces places = FindFilePlaces(program.path());
    EXPECT_TRUE(places.programFolderWritable);
    EXPECT_EQ(ListFiles(program.path(), {}, true), before);
    EXPECT_EQ(places.FolderFor(ButtonScope::AllUsers), program.path());
    for (const std::wstring& place : {places.userFolder, places.machineFolder}) {
        EXPECT_TRUE(place.ends_with(L":\\ProgramData\\Velmora\\") || place.ends_with(L"\\Local\\Velmora\\")) << place;
    }
    EXPECT_FALSE(FindFilePlaces(program.path() + L"gone\\").programFolderWritable);
}

}  // namespace
}  // namespace velmora
