// The check and the repair of the buttons, on a store made by the button operations and then
// broken as a user, another program or an earlier version breaks it.
#include "buttons/button_operations.h"
#include "buttons/shortcut_file.h"
#include "checkup/button_check.h"
#include "checkup/button_repair.h"
#include "checkup/checkup_commands.h"

#include "tests/support/button_keys.h"
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

struct Seeded {
    const char* name;
    std::function<void(CheckupTest&)> seed;
    std::function<std::wstring(CheckupTest&)> expected;
};

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
         [](CheckupTest&) {
             return std::wstring(L"Slot 7: an entry under HKEY_CURRENT_USER that no button owns. Repair removes it.");
         }},
        {"orphan in slot 7, machine 64-bit",
         [](CheckupTest&) { WriteString(HKEY_LOCAL_MACHINE, EntryKey(6), L"ButtonText", L"Old"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"Slot 7: an entry under HKEY_LOCAL_MACHINE (64-bit view) that no button owns. Repair removes it.");
         }},
        {"orphan in slot 7, machine 32-bit",
         [](CheckupTest&) { WriteString(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[6], L"ButtonText", L"Old"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"Slot 7: an entry under HKEY_LOCAL_MACHINE (32-bit view) that no button owns. Repair removes it.");
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
         [](CheckupTest&) { return std::wstring(L"Slot 4: a record that no listed button owns. Repair removes it."); }},
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
        {"unused icon file", [](CheckupTest& t) { t.folder.WriteFile(L"icons\\old (2).ico", "x"); },
         [](CheckupTest& t) {
             return L"The file \"" + t.Icons() +
                    L"old (2).ico\" was made by Velmora and no button uses it. Repair "
                    L"deletes it.";
         }},
        {"file to launch gone",
         [](CheckupTest&) { WriteString(HKEY_CURRENT_USER, RecordKey(0), L"Program", L"C:\\nowhere\\gone.exe"); },
         [](CheckupTest&) {
             return std::wstring(
                 L"\"Notepad\": the file to launch \"C:\\nowhere\\gone.exe\" is not there. Edit or delete the button.");
         }},
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
    }
}

// Every fault at once: checking changes no key and no file; a repair makes the icons and the
// shortcut again, and a disk icon that is gone becomes library icon 1 in the entry and the record.
TEST_F(CheckupTest, CheckWritesNothingAndRepairMendsEverything) {
    ::DeleteFileW((Icons() + L"notepad.ico").c_str());
    ::DeleteFileW((Icons() + L"star.ico").c_str());
    ::DeleteFileW(Link().c_str());
    folder.WriteFile(L"icons\\old (2).ico", "x");
    WriteString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText", L"X");
    WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");
    WriteString(HKEY_LOCAL_MACHINE, kExtensions32 + ButtonSlotIds[6], L"ButtonText", L"Old");
    WriteString(HKEY_CURRENT_USER, RecordKey(3), L"Program", L"C:\\old.exe");

    const auto registryBefore = DumpRegistry();
    const FileList filesBefore = ListFiles(folder.path());
    const ButtonCheck check = CheckButtons(views, folder.path());
    EXPECT_GE(check.findings.size(), 8u);
    EXPECT_EQ(DumpRegistry(), registryBefore);
    EXPECT_EQ(ListFiles(folder.path()), filesBefore);

    const RepairResult repaired = RepairButtons(views, folder.path());
    EXPECT_EQ(repaired.after.ReportLines(), std::vector<std::wstring>{L"All 3 buttons are in order."});
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

// The program's folder cannot be written: the check finds an unused file in the user's place too,
// and the repair deletes it and makes a program icon that had no name of its own again in that
// place, the record naming it.
TEST_F(CheckupTest, RepairUsesTheUsersPlaceWhenTheProgramsFolderCannotBeWritten) {
    TempFolder user;
    const FilePlaces places{folder.path(), user.path() + L"Velmora\\", L"", false};
    const std::wstring unused = user.WriteFile(L"Velmora\\icons\\old.ico", "x");
    ::DeleteFileW((Icons() + L"notepad.ico").c_str());
    const std::vector<std::wstring> lines = CheckButtons(views, places).ReportLines();
    const std::wstring found =
        L"The file \"" + unused + L"\" was made by Velmora and no button uses it. Repair deletes it.";
    EXPECT_NE(std::find(lines.begin(), lines.end(), found), lines.end()) << ::testing::PrintToString(lines);

    const RepairResult repaired = RepairButtons(views, places);
    EXPECT_EQ(repaired.after.ReportLines(), std::vector<std::wstring>{L"All 3 buttons are in order."});
    EXPECT_FALSE(FileExists(unused));
    const std::wstring icon = places.userFolder + L"icons\\notepad.ico";
    EXPECT_TRUE(FileExists(icon));
    EXPECT_FALSE(FileExists(Icons() + L"notepad.ico"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(0), L"Icon File"), icon);
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

// The command line: the report line by line and the exit codes.
TEST_F(CheckupTest, CommandsReportAndAnswerExitCodes) {
    std::vector<std::wstring> lines;
    const ReportSink sink = [&lines](const std::wstring& line) { lines.push_back(line); };
    EXPECT_EQ(RunCheckCommand(sink, folder.path(), views), 0);
    EXPECT_EQ(lines, std::vector<std::wstring>{L"All 3 buttons are in order."});

    WriteString(HKEY_CURRENT_USER, EntryKey(6), L"ButtonText", L"Old");
    lines.clear();
    EXPECT_EQ(RunCheckCommand(sink, folder.path(), views), 1);
    EXPECT_EQ(lines, std::vector<std::wstring>{
                         L"Slot 7: an entry under HKEY_CURRENT_USER that no button owns. Repair removes it."});

    lines.clear();
    EXPECT_EQ(RunRepairCommand(sink, folder.path(), views), 0);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Repaired:",
                                                L"  Slot 7: an entry under HKEY_CURRENT_USER that no button owns.",
                                                L"All 3 buttons are in order."}));

    // What a repair cannot mend remains, and the exit code says so.
    WriteString(HKEY_CURRENT_USER, RecordKey(0), L"Program", L"C:\\nowhere\\gone.exe");
    lines.clear();
    EXPECT_EQ(RunRepairCommand(sink, folder.path(), views), 1);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], L"Still to do:");
    EXPECT_EQ(lines.back(),
              L"  \"Notepad\": the file to launch \"C:\\nowhere\\gone.exe\" is not there. Edit or delete the button.");
}

}  // namespace
}  // namespace velmora
