// The check and the repair of the buttons, on a store made by the button operations and then
// broken as a user, another program or an earlier version breaks it.
#include "buttons/button_operations.h"
#include "buttons/shortcut_file.h"
#include "checkup/button_check.h"
#include "checkup/button_repair.h"
#include "checkup/checkup_commands.h"

#include "tests/support/button_keys.h"
#include "tests/support/folder_link.h"
#include "tests/support/registry_dump.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/two_view_registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace velmora {
namespace {

using namespace testing;
const std::wstring kNotepad = SystemFile(L"notepad.exe");
const std::wstring kCmd = SystemFile(L"cmd.exe");

// Three buttons added as the editor adds them: a program icon, a disk icon for all users, and a
// library icon with parameters (its shortcut). The machine's root has its two views.
class CheckupTest : public ::testing::Test {
public:
    CheckupTest() {
        CopyLibraryIcons(folder.path());
        folder.WriteFile(L"star.ico", ReadFileBytes(ShippedLibraryIcon(L"17.ico")));
        Add(kNotepad, L"Notepad", IconKind::Program, ButtonScope::CurrentUser, L"");
        Add(folder.path() + L"star.ico", L"Star", IconKind::Disk, ButtonScope::AllUsers, L"");
        Add(kCmd, L"Prompt", IconKind::Library, ButtonScope::CurrentUser, L"/k dir");
    }
    void Add(const std::wstring& file, const std::wstring& text, IconKind icon, ButtonScope scope,
             const std::wstring& parameters) {
        ButtonDraft draft;
        draft.button.fileToLaunch = file;
        draft.button.buttonText = draft.button.menuText = draft.button.statusBarText = text;
        draft.button.iconKind = icon;
        draft.button.scope = scope;
        draft.button.parameters = parameters;
        draft.button.libraryNumber = 9;
        if (icon == IconKind::Disk) draft.button.iconFile = file;
        draft.largeIcon = large.get();
        ASSERT_TRUE(operations.AddButton(draft).done) << text;
    }
    std::vector<std::wstring> Lines() { return CheckButtons(views, folder.path()).ReportLines(); }
    // A file as Velmora leaves one it made for a button that is gone: on the list of its files.
    std::wstring PlantMadeFile(const std::wstring& name, TempFolder* in = nullptr) {
        const std::wstring path = (in ? *in : folder).WriteFile(name, "x");
        EXPECT_TRUE(NoteMadeFile(stores.records, path));
        return path;
    }
    std::wstring Icons() const { return folder.path() + L"icons\\"; }
    std::wstring Link() const { return folder.path() + L"shortcuts\\cmd.lnk"; }

    TempFolder folder;
    TwoViewRegistry views;
    ButtonList list;
    RegistryStores stores{views};
    ScriptedPrompts prompts;
    ButtonOperations operations{list, stores, prompts, folder.path()};
    UniqueHicon small = ProgramIconPicture(kNotepad, 0, false);
    UniqueHicon large = ProgramIconPicture(kNotepad, 0, true);
};

const std::wstring kExtensions32 = kWow6432Node + L"Microsoft\\Internet Explorer\\Extensions\\";

const std::wstring kOrphanLine = L"Slot 7: the browser entry Extensions\\" + std::wstring(ButtonSlotIds[6]) +
                                 L" under HKEY_CURRENT_USER (\"Old\", launches \"\") belongs to no listed button.";

std::wstring OtherAccountsLine(const std::wstring& view) {
    return L"Slot 7: the \"All Users\" entry under HKEY_LOCAL_MACHINE (" + view +
           L" view) (\"Old\", launches \"\") is no button of this account's; it may belong to another account of "
           L"this computer. Remove All Velmora Buttons removes it. Left alone.";
}

struct Seeded {
    const char* name;
    std::function<void(CheckupTest&)> seed;
    std::function<std::wstring(CheckupTest&)> expected;
    std::function<void(CheckupTest&)> afterRepair = nullptr;  // what the repair must have left
};

// A value deleted behind the editor's back, from the record or from the entry.
void DeleteValue(const std::wstring& key, const wchar_t* name) {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name);
}

// One test per fault would set up the store each time; the faults are seeded one at a time into
// a store of their own within this test, the registry cleared in between.
class SeededFaultTest : public CheckupTest {
public:
    void TestBody() override {}
};

void ClearStores() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        ::RegDeleteTreeW(root, L"Software\\Corvale");
        ::RegDeleteTreeW(root, L"Software\\Microsoft\\Internet Explorer");
        ::RegDeleteTreeW(root, (kWow6432Node + L"Microsoft\\Internet Explorer").c_str());
    }
}

TEST(CheckupSeededTest, EachFaultIsFoundAndRepairLeavesOnlyWhatItCannotMend) {
    const Seeded cases[] = {
        {"program icon file deleted", [](CheckupTest& t) { ::DeleteFileW((t.Icons() + L"notepad.ico").c_str()); },
         [](CheckupTest& t) {
             return L"\"Notepad\": the icon file \"" + t.Icons() +
                    L"notepad.ico\" is not there. Repair makes it again from the program.";
         }},
        {"disk icon file deleted", [](CheckupTest& t) { ::DeleteFileW((t.Icons() + L"star.ico").c_str()); },
         [](CheckupTest& t) {
             return L"\"Star\": the icon file \"" + t.Icons() +
                    L"star.ico\" is not there. Repair gives the button library icon 1.";
         }},
        {"hand-edited ButtonText",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText", L"X"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": the browser entry's \"ButtonText\" was changed to \"X\". Repair writes "
                 L"it again from the list.");
         }},
        // A text of the registry that would forge lines of the report or move the cursor is shown
        // escaped, and a long one cut.
        {"ButtonText with line breaks and escape sequences",
         [](CheckupTest&) {
             WriteString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText", L"X\r\nAll 3 buttons are in order.\x1B[2J");
         },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": the browser entry's \"ButtonText\" was changed to \"X\\r\\nAll 3 buttons are in "
                 L"order.\\x1B[2J\". Repair writes it again from the list.");
         }},
        {"file to launch of 3,000 characters",
         [](CheckupTest&) {
             WriteString(HKEY_CURRENT_USER, RecordKey(0), L"Program", L"C:\\" + std::wstring(2997, L'p'));
         },
         [](CheckupTest&) {
             return L"\"Notepad\": the file to launch \"C:\\" + std::wstring(257, L'p') +
                    L"...\" is not there. Edit or delete the button.";
         }},
        {"all users entry in one view",
         [](CheckupTest&) { ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kExtensions32 + ButtonSlotIds[1]).c_str()); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Star\": the \"All Users\" browser entry exists in the 64-bit view only. Repair "
                 L"writes it into both views.");
         }},
        {"entry under the other root",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, EntryKey(1), L"ButtonText", L"Star"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Star\": a browser entry for it sits under HKEY_CURRENT_USER, though the button is "
                 L"for \"All Users\". Repair removes it.");
         }},
        {"orphan in slot 7, current user",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old"); },
         [](CheckupTest&) { return kOrphanLine + L" Repair removes it."; }},
        {"another account's entry in slot 7, machine 64-bit",
         [](CheckupTest&) { WriteString(HKEY_LOCAL_MACHINE, EntryKey(6), L"ButtonText", L"Old"); },
         [](CheckupTest&) { return OtherAccountsLine(L"64-bit"); }},
        {"another account's entry in slot 7, machine 32-bit",
         [](CheckupTest&) { WriteString(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[6], L"ButtonText", L"Old"); },
         [](CheckupTest&) { return OtherAccountsLine(L"32-bit"); }},
        {"another account's entry in the slot of a current user's button",
         [](CheckupTest&) { WriteString(HKEY_LOCAL_MACHINE, EntryKey(0), L"ButtonText", L"Theirs"); },
         [](CheckupTest&) {
             return L"Slot 1: the \"All Users\" entry under HKEY_LOCAL_MACHINE (64-bit view) (\"Theirs\", launches "
                    L"\"\") is no button of this account's; it may belong to another account of this computer. "
                    L"Remove All Velmora Buttons removes it. Left alone.";
         }},
        {"shortcut re-pointed",
         [](CheckupTest& t) { CreateShortcutFile(t.Link(), kNotepad, L"", L"/x", kNotepad, 1, 5); },
         [](CheckupTest& t) {
             return L"\"Prompt\": the shortcut \"" + t.Link() + L"\" starts \"" + kNotepad +
                    L"\" with the parameters \"/x\". Repair makes it again to start \"" + kCmd + L"\" with \"/k dir\".";
         }},
        {"shortcut deleted", [](CheckupTest& t) { ::DeleteFileW(t.Link().c_str()); },
         [](CheckupTest& t) {
             return L"\"Prompt\": the shortcut \"" + t.Link() +
                    L"\" is not there. Repair makes it again from the button's file to launch and parameters.";
         }},
        {"surplus record",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, RecordKey(3), L"Program", L"C:\\old.exe"); },
         [](CheckupTest&) {
             return L"Slot 4: the record Added Buttons\\" + std::wstring(ButtonSlotIds[3]) +
                    L" (\"\", launches \"C:\\old.exe\") belongs to no listed button. Repair removes it.";
         }},
        {"count too high", [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, RecordKey(-1), L"Count", L"5"); },
         [](CheckupTest&) {
             return std::wstring(L"\"Count\" says \"5\", but 3 buttons are listed. Repair writes 3.");
         }},
        {"record edited", [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, RecordKey(2), L"MenuText", L"Y"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Prompt\": the browser entry's \"MenuText\" was changed to \"Prompt\". Repair writes it again from "
                 L"the list.");
         }},
        {"records where the earlier version kept them",
         [](CheckupTest&) {
             HKEY earlier = nullptr;
             ::RegCreateKeyExW(HKEY_CURRENT_USER, RecordKey(-1, L"Software\\Corvale\\Velmora 1.2").c_str(), 0, nullptr,
                               0, KEY_ALL_ACCESS, nullptr, &earlier, nullptr);
             ::RegCopyTreeW(HKEY_CURRENT_USER, RecordKey(-1).c_str(), earlier);
             ::RegCloseKey(earlier);
             ::RegDeleteTreeW(HKEY_CURRENT_USER, RecordKey(-1).c_str());
         },
         [](CheckupTest&) {
             return std::wstring(
                 L"The buttons are recorded where Velmora 1.2 kept them. Repair moves the records to "
                 L"Velmora's own place.");
         }},
        {"unused icon file Velmora made", [](CheckupTest& t) { t.PlantMadeFile(L"icons\\old (2).ico"); },
         [](CheckupTest& t) {
             return L"The file \"" + t.Icons() +
                    L"old (2).ico\" was made by Velmora and no button uses it. Repair moves it to the Recycle Bin.";
         }},
        {"a user's own file among the icons", [](CheckupTest& t) { t.folder.WriteFile(L"icons\\mine.ico", "x"); },
         [](CheckupTest& t) {
             return L"The file \"" + t.Icons() +
                    L"mine.ico\" is not used by any button, and Velmora did not make it for this account. Left alone.";
         }},
        {"file to launch gone",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, RecordKey(0), L"Program", L"C:\\nowhere\\gone.exe"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": the file to launch \"C:\\nowhere\\gone.exe\" is not there. Edit or delete the button.");
         }},
        // Two copies, one truth: a value one copy lost comes back from the other, never the loss
        // over the good value.
        {"record lost its caption", [](CheckupTest&) { DeleteValue(RecordKey(0), L"ButtonText"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": its record has no \"ButtonText\"; the browser entry still has \"Notepad\". Repair "
                 L"writes it back into the record from the browser entry.");
         },
         [](CheckupTest&) {
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText"), L"Notepad");
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"ButtonText"), L"Notepad");
         }},
        {"record lost its program", [](CheckupTest&) { DeleteValue(RecordKey(0), L"Program"); },
         [](CheckupTest&) {
             return L"\"Notepad\": its record has no \"Program\"; the browser entry still has \"" + kNotepad +
                    L"\". Repair writes it back into the record from the browser entry.";
         },
         [](CheckupTest&) {
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"Exec"), kNotepad);
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Program"), kNotepad);
         }},
        {"record of a button with parameters lost its program",
         [](CheckupTest&) { DeleteValue(RecordKey(2), L"Program"); },
         [](CheckupTest& t) {
             return L"\"Prompt\": its record has no \"Program\"; the browser entry still has \"" + kCmd +
                    L"\". Repair writes it back into the record from the browser entry.";
         },
         [](CheckupTest& t) {
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"Exec"), t.Link());
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(2), L"Program"), kCmd);
         }},
        {"entry lost its menu text", [](CheckupTest&) { DeleteValue(EntryKey(0), L"MenuText"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": the browser entry has no \"MenuText\". Repair writes it back from the record.");
         },
         [](CheckupTest&) { EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"MenuText"), L"Notepad"); }},
        {"both copies lost the caption",
         [](CheckupTest&) {
             DeleteValue(RecordKey(0), L"ButtonText");
             DeleteValue(EntryKey(0), L"ButtonText");
         },
         [](CheckupTest&) {
             return L"\"" + kNotepad +
                    L"\": neither its record nor its browser entry gives it a caption. Edit or delete the button.";
         }},
        // A record's shortcut that names a user's file: the file is never written; the shortcut is
        // made in Velmora's own folder and the record and entry name it.
        {"record's link names a user's file",
         [](CheckupTest& t) {
             WriteString(HKEY_CURRENT_USER, RecordKey(2), L"Link", t.folder.WriteFile(L"report.txt", "mine"));
         },
         [](CheckupTest& t) {
             return L"\"Prompt\": the shortcut \"" + t.folder.path() +
                    L"report.txt\" is not there. Repair makes it again from the button's file to launch and "
                    L"parameters.";
         },
         [](CheckupTest& t) {
             EXPECT_EQ(ReadFileBytes(t.folder.path() + L"report.txt"), "mine");
             const std::wstring link = t.folder.path() + L"shortcuts\\cmd (2).lnk";
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(2), L"Link"), link);
             EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"Exec"), link);
         }},
        // Texts that end in NUL characters read the same from the record, the entry and the list.
        {"captions ending in NULs",
         [](CheckupTest&) {
             const wchar_t text[] = L"Pad\0\0";
             for (const std::wstring& key : {EntryKey(0), RecordKey(0)}) {
                 ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"ButtonText", REG_SZ, text, sizeof(text));
             }
         },
         [](CheckupTest&) { return std::wstring(L"All 3 buttons are in order."); }},
        {"library icon gone", [](CheckupTest& t) { ::DeleteFileW((t.Icons() + L"9gr.ico").c_str()); },
         [](CheckupTest& t) {
             return L"\"Prompt\": the library icon file \"" + t.Icons() +
                    L"9gr.ico\" is not there. Install Velmora again to put it back.";
         }},
    };
    for (const Seeded& c : cases) {
        SCOPED_TRACE(c.name);
        ClearStores();
        SeededFaultTest store;
        ASSERT_EQ(store.Lines(), std::vector<std::wstring>{L"All 3 buttons are in order."});
        c.seed(store);
        const std::vector<std::wstring> lines = store.Lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.expected(store)), lines.end())
            << ::testing::PrintToString(lines);

        const RepairResult repaired = RepairButtons(store.views, store.folder.path());
        EXPECT_FALSE(repaired.refused);
        for (const Finding& remaining : repaired.after.findings) {
            EXPECT_FALSE(remaining.repairable()) << ::testing::PrintToString(remaining.Text());
        }
        EXPECT_EQ(CheckButtons(store.views, store.folder.path()).ReportLines(), repaired.after.ReportLines());
        if (c.afterRepair) c.afterRepair(store);
    }
}

// Every fault at once: checking changes no key and no file; a repair makes the icons and the
// shortcut again, and a disk icon that is gone becomes library icon 1 in the entry and the record.
TEST_F(CheckupTest, CheckWritesNothingAndRepairMendsEverything) {
    ::DeleteFileW((Icons() + L"notepad.ico").c_str());
    ::DeleteFileW((Icons() + L"star.ico").c_str());
    ::DeleteFileW(Link().c_str());
    PlantMadeFile(L"icons\\old (2).ico");
    const std::wstring mine = folder.WriteFile(L"shortcuts\\mine.lnk", "x");
    WriteString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText", L"X");
    WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");
    WriteString(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[6], L"ButtonText", L"Old");
    WriteString(HKEY_CURRENT_USER, RecordKey(3), L"Program", L"C:\\old.exe");

    const auto registryBefore = DumpRegistry();
    const FileList filesBefore = ListFiles(folder.path());
    const ButtonCheck check = CheckButtons(views, folder.path());
    EXPECT_EQ(check.findings.size(), 7u) << ::testing::PrintToString(check.ReportLines());
    EXPECT_EQ(DumpRegistry(), registryBefore);
    EXPECT_EQ(ListFiles(folder.path()), filesBefore);

    const RepairResult repaired = RepairButtons(views, folder.path());
    // Another account's entry and the user's own file are said again, and left alone.
    EXPECT_EQ(repaired.after.ReportLines(),
              (std::vector<std::wstring>{L"All 3 buttons are in order.", OtherAccountsLine(L"32-bit"),
                                         L"The file \"" + mine +
                                             L"\" is not used by any button, and Velmora did not make it for this "
                                             L"account. Left alone."}));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[6]));
    EXPECT_TRUE(FileExists(mine));
    EXPECT_TRUE(FileExists(Icons() + L"notepad.ico"));
    EXPECT_FALSE(FileExists(Icons() + L"old (2).ico"));
    ShortcutContents contents;
    ASSERT_TRUE(ReadShortcutFile(Link(), contents));
    EXPECT_EQ(contents.arguments, L"/k dir");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[1], L"Icon"), Icons() + L"1gr.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(1), L"Icon"), L"1");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(6)));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, RecordKey(3)));
    // The editor's start-up then lists what the repair wrote, and finds nothing to change.
    const auto repairedRegistry = DumpRegistry();
    operations.LoadAtStartup();
    EXPECT_EQ(DumpRegistry(), repairedRegistry);
}

// Many findings of one kind: a screenful of them, then how many more, in the check and the repair.
TEST_F(CheckupTest, ManyFindingsOfOneKindShowAScreenful) {
    for (int i = 0; i < 25; ++i) PlantMadeFile(L"icons\\old " + std::to_wstring(i) + L".ico");
    const std::vector<std::wstring> lines = Lines();
    ASSERT_EQ(lines.size(), 21u) << ::testing::PrintToString(lines);
    for (size_t at = 0; at < 20; ++at) EXPECT_TRUE(lines[at].starts_with(L"The file \"" + Icons() + L"old "));
    EXPECT_EQ(lines[20], L"... and 5 more like these.");

    const std::vector<std::wstring> repaired = RepairReportLines(RepairButtons(views, folder.path()));
    ASSERT_EQ(repaired.size(), 23u) << ::testing::PrintToString(repaired);
    EXPECT_EQ(repaired[0], L"Repaired:");
    EXPECT_TRUE(repaired[20].starts_with(L"  Moved the unused file \"" + Icons() + L"old "));
    EXPECT_EQ(repaired[21], L"  ... and 5 more like these.");
    EXPECT_EQ(repaired[22], L"All 3 buttons are in order.");
}

// The program's folder cannot be written: the check finds an unused file in the user's place too,
// and the repair deletes it and makes a program icon that had no name of its own again in that
// place, the record naming it.
TEST_F(CheckupTest, RepairUsesTheUsersPlaceWhenTheProgramsFolderCannotBeWritten) {
    TempFolder user;
    const FilePlaces places{folder.path(), user.path() + L"Velmora\\", L"", false};
    const std::wstring unused = PlantMadeFile(L"Velmora\\icons\\old.ico", &user);
    // A file of Velmora's that no button uses, under the name a program icon made again would take
    // first: the repair removes it, and the icon it makes takes another name.
    const std::wstring sameName = PlantMadeFile(L"Velmora\\icons\\notepad.ico", &user);
    ::DeleteFileW((Icons() + L"notepad.ico").c_str());
    const std::vector<std::wstring> lines = CheckButtons(views, places).ReportLines();
    const std::wstring found =
        L"The file \"" + unused + L"\" was made by Velmora and no button uses it. Repair moves it to the Recycle Bin.";
    EXPECT_NE(std::find(lines.begin(), lines.end(), found), lines.end()) << ::testing::PrintToString(lines);

    const RepairResult repaired = RepairButtons(views, places);
    EXPECT_EQ(repaired.after.ReportLines(), std::vector<std::wstring>{L"All 3 buttons are in order."});
    EXPECT_FALSE(FileExists(unused));
    EXPECT_FALSE(FileExists(sameName));
    const std::wstring icon = places.userFolder + L"icons\\notepad (2).ico";
    EXPECT_TRUE(FileExists(icon));
    EXPECT_FALSE(FileExists(Icons() + L"notepad.ico"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Icon File"), icon);
}

// The shortcuts folder is a link to another folder, as anyone who may write the place can plant
// one: the check says so and looks no further, and the repair writes and removes nothing there.
TEST_F(CheckupTest, ALinkedFolderIsReportedAndLeftAlone) {
    TempFolder elsewhere;
    const std::wstring shortcuts = folder.path() + L"shortcuts";
    for (const std::wstring& name : {std::wstring(L"cmd.lnk"), std::wstring(L"old.lnk")}) {
        ASSERT_TRUE(::CopyFileW(Link().c_str(), (elsewhere.path() + name).c_str(), FALSE));
    }
    ASSERT_TRUE(::DeleteFileW(Link().c_str()) && ::RemoveDirectoryW(shortcuts.c_str()));
    if (!MakeFolderLink(shortcuts, elsewhere.path())) GTEST_SKIP() << "no symbolic links here";
    ASSERT_TRUE(NoteMadeFile(stores.records, shortcuts + L"\\old.lnk"));

    const std::wstring note = L"The folder \"" + folder.path() +
                              L"shortcuts\\\" is a symbolic link or a junction: Velmora leaves it, and what it leads "
                              L"to, alone.";
    const std::vector<std::wstring> lines = Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), note), lines.end()) << ::testing::PrintToString(lines);
    const FileList before = ListFiles(elsewhere.path());
    const RepairResult repaired = RepairButtons(views, folder.path());
    EXPECT_EQ(ListFiles(elsewhere.path()), before);
    EXPECT_TRUE(FileExists(elsewhere.path() + L"old.lnk"));
}

// A view that refuses every write (a user without administrator rights): the repair puts back
// every key it changed, touches no file, and says that an administrator is needed.
TEST_F(CheckupTest, RefusedRepairChangesNothing) {
    WriteString(HKEY_LOCAL_MACHINE, EntryKey(1), L"ButtonText", L"X");
    WriteString(HKEY_CURRENT_USER, EntryKey(0), L"MenuText", L"X");
    WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");
    folder.WriteFile(L"icons\\old (2).ico", "x");
    const auto registryBefore = DumpRegistry();
    const FileList filesBefore = ListFiles(folder.path());

    views.refusedView = KEY_WOW64_32KEY;
    const RepairResult repaired = RepairButtons(views, folder.path());
    EXPECT_TRUE(repaired.refused);
    EXPECT_TRUE(repaired.administratorNeeded);
    EXPECT_EQ(DumpRegistry(), registryBefore);
    EXPECT_EQ(ListFiles(folder.path()), filesBefore);
    const std::vector<std::wstring> lines = RepairReportLines(repaired);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(L"The repair could not write the registry (refused under HKEY_LOCAL_MACHINE (32-bit "
                             L"view)), and nothing was changed. Buttons for \"All Users\" can only be repaired by an "
                             L"administrator",
                             0),
              0u)
        << ::testing::PrintToString(lines[0]);
}

// The command line: the report line by line and the exit codes. On Windows 11 a note that no
// browser there shows the buttons comes first, and the exit code stays what the findings make it.
TEST_F(CheckupTest, CommandsReportAndAnswerExitCodes) {
    std::vector<std::wstring> lines;
    const ReportSink sink = [&lines](const std::wstring& line) { lines.push_back(line); };
    const struct {
        unsigned long build;
        bool note;
    } windows[] = {{22000, true}, {26100, true}, {19045, false}, {7601, false}};
    for (bool broken : {false, true}) {
        if (broken) WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");
        for (const auto& c : windows) {
            SCOPED_TRACE(c.build);
            lines.clear();
            EXPECT_EQ(RunCheckCommand(sink, folder.path(), views, c.build),
                      broken ? ExitCode::DoneInPart : ExitCode::Done);
            ASSERT_EQ(lines.size(), c.note ? 2u : 1u);
            EXPECT_EQ(lines.back(), broken ? kOrphanLine + L" Repair removes it." : L"All 3 buttons are in order.");
            if (!c.note) continue;
            EXPECT_TRUE(
                lines[0].starts_with(L"Note: Windows 11 has no Internet Explorer, so these buttons do not "
                                     L"show on this computer."))
                << ::testing::PrintToString(lines[0]);
            EXPECT_EQ(lines[0].find_first_of(L"\r\n"), std::wstring::npos) << "one line";
        }
    }

    lines.clear();
    EXPECT_EQ(RunRepairCommand(sink, folder.path(), views), ExitCode::Done);
    EXPECT_EQ(lines,
              (std::vector<std::wstring>{L"Repaired:",
                                         L"  Slot 7: removed the entry Extensions\\" + std::wstring(ButtonSlotIds[6]) +
                                             L" under HKEY_CURRENT_USER (\"Old\", launches \"\").",
                                         L"All 3 buttons are in order."}));

    // What a repair cannot mend remains, and the exit code says so.
    WriteString(HKEY_CURRENT_USER, RecordKey(0), L"Program", L"C:\\nowhere\\gone.exe");
    lines.clear();
    EXPECT_EQ(RunRepairCommand(sink, folder.path(), views), ExitCode::DoneInPart);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], L"Still to do:");
    EXPECT_EQ(lines.back(),
              L"  \"Notepad\": the file to launch \"C:\\nowhere\\gone.exe\" is not there. Edit or delete the button.");
}

}  // namespace
}  // namespace velmora
