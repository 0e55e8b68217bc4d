#include "buttons/button_operations.h"
#include "buttons/button_records.h"
#include "buttons/button_slots.h"

#include "common/module_info.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <iterator>

namespace velmora {
namespace {

using testing::KeyExists;
using testing::ReadString;
using testing::WriteString;

const std::wstring kVelmoraKey = L"Software\\Corvale\\Velmora";
const std::wstring kEarlierKey = L"Software\\Corvale\\Velmora 1.2";
const std::wstring kExtensions = L"Software\\Microsoft\\Internet Explorer\\Extensions\\";

std::wstring RecordKey(const std::wstring& appKey, int slot) {
    return appKey + L"\\Added Buttons\\" + ButtonSlotIds[slot];
}
std::wstring EntryKey(int slot) { return kExtensions + ButtonSlotIds[slot]; }

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

// A program folder of its own with the shipped library icons in its "icons" folder.
class StartupLoadTest : public ::testing::Test {
protected:
    StartupLoadTest() { testing::CopyLibraryIcons(folder.path()); }

    void WriteRecord(const std::wstring& appKey, int slot, const ButtonRecord& record) {
        const std::wstring key = RecordKey(appKey, slot);
        WriteString(HKEY_CURRENT_USER, key, L"Icon", record.icon);
        if (!record.iconFile.empty()) WriteString(HKEY_CURRENT_USER, key, L"Icon File", record.iconFile);
        WriteString(HKEY_CURRENT_USER, key, L"Program", record.program);
        WriteString(HKEY_CURRENT_USER, key, L"ButtonText", record.buttonText);
        WriteString(HKEY_CURRENT_USER, key, L"MenuText", record.menuText);
        WriteString(HKEY_CURRENT_USER, key, L"MenuStatusBar", record.menuStatusBar);
        WriteString(HKEY_CURRENT_USER, key, L"Arguments", record.arguments);
        WriteString(HKEY_CURRENT_USER, key, L"Link", record.link);
        WriteString(HKEY_CURRENT_USER, key, L"Scope", record.scope);
    }
    void WriteCount(const std::wstring& appKey, const std::wstring& count) {
        WriteString(HKEY_CURRENT_USER, appKey + L"\\Added Buttons", L"Count", count);
    }
    void Load() {
        ButtonOperations operations(list, settings, prompts, picico, folder.path());
        operations.LoadAtStartup();
    }
    std::wstring Icons() const { return folder.path() + L"icons\\"; }

    testing::TempFolder folder;
    ButtonList list;
    CRegSettings settings{SystemRegistry(), L"Velmora"};
    testing::ScriptedPrompts prompts;
    IconHolder picico;
};

TEST_F(StartupLoadTest, NothingStoredLoadsNothingAndWritesNothing) {
    Load();
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.images.Count(), 25);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Corvale"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Microsoft"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
}

TEST_F(StartupLoadTest, ThreeIconKindsLoadInSlotOrderAndAreWrittenBack) {
    const std::wstring notepad = SystemProgram(L"notepad.exe");
    const std::wstring star = folder.WriteFile(L"pictures\\star.ico", testing::ReadFileBytes(Icons() + L"6.ico"));
    WriteCount(kVelmoraKey, L"3");
    WriteRecord(kVelmoraKey, 0, {L"program", L"", notepad, L"Notes", L"Open Notepad", L"Edit text", L"", L"",
                                 L"Current User"});
    WriteRecord(kVelmoraKey, 1, {L"disk", Icons() + L"star.ico", L"http://www.example.com/", L"Star", L"Star menu",
                                 L"", L"-x", folder.path() + L"shortcuts\\http___www.example.lnk", L"All Users"});
    ::CopyFileW(star.c_str(), (Icons() + L"star.ico").c_str(), FALSE);
    WriteRecord(kVelmoraKey, 2, {L"12", L"", L"C:\\Tools\\app.exe", L"App", L"App menu", L"Status", L"", L"",
                                 L"Current User"});

    Load();

    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.images.Count(), 27);
    const ButtonRow& program = list.rows[0];
    EXPECT_EQ(program.text, notepad);
    EXPECT_EQ(program.smallIcon, 26);
    EXPECT_EQ(program.tag, Icons() + L"notepad.ico");
    EXPECT_EQ(program.iconKind, L"");
    EXPECT_EQ(program.buttonText, L"Notes");
    EXPECT_EQ(program.menuStatusBar, L"Edit text");
    const ButtonRow& disk = list.rows[1];
    EXPECT_EQ(disk.smallIcon, 27);
    EXPECT_EQ(disk.tag, Icons() + L"star.ico");
    EXPECT_EQ(disk.iconKind, L"disk");
    EXPECT_EQ(disk.parameters, L"-x");
    EXPECT_EQ(disk.scope, L"All Users");
    const ButtonRow& library = list.rows[2];
    EXPECT_EQ(library.smallIcon, 12);
    EXPECT_EQ(library.tag, L"");

    // Browser entries from the records, each under the root of its scope.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"Icon"), Icons() + L"notepad.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"HotIcon"), Icons() + L"notepad.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"Exec"), notepad);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(1)));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(1), L"Exec"), folder.path() + L"shortcuts\\http___www.example.lnk");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(1), L"Icon"), Icons() + L"star.ico");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(1), L"MenuStatusBar"), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"Icon"), Icons() + L"12gr.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"HotIcon"), Icons() + L"12.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"Default Visible"), L"Yes");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(3)));

    // Records rewritten with the same values, always under the current user.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Added Buttons", L"Count"), L"3");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 0), L"Icon"), L"program");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 0), L"Icon File"), std::nullopt);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 1), L"Icon"), L"disk");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 1), L"Icon File"), Icons() + L"star.ico");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 1), L"Scope"), L"All Users");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 2), L"Icon"), L"12");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Corvale"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(StartupLoadTest, EarlierVersionRecordsAreMovedOnceThenLoadedFromTheCurrentPlace) {
    WriteCount(kEarlierKey, L"2");
    WriteRecord(kEarlierKey, 0, {L"3", L"", L"C:\\a.exe", L"A", L"Menu A", L"", L"", L"", L"Current User"});
    WriteRecord(kEarlierKey, 1, {L"7", L"", L"C:\\b.exe", L"B", L"Menu B", L"sb", L"", L"", L"All Users"});
    WriteString(HKEY_CURRENT_USER, kEarlierKey + L"\\Messages", L"Restart IE", L"no");

    Load();

    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].menuStatusBar, L"sb");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kEarlierKey));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Added Buttons", L"Count"), L"2");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 1), L"Program"), L"C:\\b.exe");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(1), L"HotIcon"), Icons() + L"7.ico");
    EXPECT_EQ(settings.AppName(), L"Velmora 1.2");  // the last group of calls was the clean-up

    // The next start finds nothing under the earlier name and loads the same buttons from here.
    ButtonList again;
    ButtonOperations(again, settings, prompts, picico, folder.path()).LoadAtStartup();
    ASSERT_EQ(again.rows.size(), 2u);
    EXPECT_EQ(again.rows[0].text, L"C:\\a.exe");
    EXPECT_EQ(again.rows[1].smallIcon, 7);
}

TEST_F(StartupLoadTest, EarlierVersionKeyWithAnEmptyCountIsClearedToo) {
    WriteCount(kEarlierKey, L"0");
    Load();
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kEarlierKey));
}

TEST_F(StartupLoadTest, MoreThanTwentyRecordsEraseEverySlotAfterTellingTheUser) {
    WriteCount(kVelmoraKey, L"21");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        WriteRecord(kVelmoraKey, slot, {L"1", L"", L"x.exe", L"X", L"X", L"", L"", L"", L"Current User"});
        WriteString(HKEY_CURRENT_USER, EntryKey(slot), L"ButtonText", L"X");
        WriteString(HKEY_LOCAL_MACHINE, EntryKey(slot), L"ButtonText", L"X");
    }
    WriteString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Messages", L"Restart IE", L"no");

    Load();

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Error");
    EXPECT_EQ(prompts.shown[0].text,
              L"Velmora found a problem with it's registry settings. Any buttons you have added will be erased. "
              L"Sorry for the inconvenience. If you continue to experience this problem, please contact Corvale "
              L"Software at the email address found in the \"About\" box.");
    EXPECT_EQ(prompts.shown[0].buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(prompts.shown[0].icon(), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_TRUE(list.rows.empty());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(slot))) << slot;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(slot))) << slot;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, slot))) << slot;
    }
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Added Buttons", L"Count"), L"0");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Messages", L"Restart IE"), L"no");
}

TEST_F(StartupLoadTest, CountsThatAreNotPositiveNumbersLoadNothingAndStayAsTheyAre) {
    for (const wchar_t* count : {L"abc", L"-2", L"0"}) {
        WriteCount(kVelmoraKey, count);
        WriteRecord(kVelmoraKey, 0, {L"1", L"", L"x.exe", L"X", L"X", L"", L"", L"", L"Current User"});
        ButtonList fresh;
        ButtonOperations(fresh, settings, prompts, picico, folder.path()).LoadAtStartup();
        EXPECT_TRUE(fresh.rows.empty()) << count;
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Added Buttons", L"Count"), count);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, EntryKey(0))) << count;
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(StartupLoadTest, IconsThatCannotBeShownBecomeLibraryIconOne) {
    WriteCount(kVelmoraKey, L"7");
    // An icon file that is gone.
    WriteRecord(kVelmoraKey, 0, {L"disk", Icons() + L"gone.ico", L"C:\\a.exe", L"A", L"A", L"", L"", L"", L"All Users"});
    // A program that is gone, of a type nothing opens.
    WriteRecord(kVelmoraKey, 1, {L"program", L"", L"C:\\nowhere\\tool.zzqq", L"B", L"B", L"", L"", L"", L""});
    // No "Icon" value at all, and numbers the library does not have.
    WriteRecord(kVelmoraKey, 2, {L"", L"", L"C:\\c.exe", L"C", L"C", L"", L"", L"", L"Current User"});
    WriteRecord(kVelmoraKey, 3, {L"99", L"", L"C:\\d.exe", L"D", L"D", L"", L"", L"", L"Current User"});
    WriteRecord(kVelmoraKey, 4, {L"Program", L"", L"C:\\e.exe", L"E", L"E", L"", L"", L"", L"Current User"});
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 2).c_str(), L"Icon");
    // Paths far longer than Windows takes, which the shell's icon and association calls must never see.
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 5000) longPath += L"very long folder name\\";
    WriteRecord(kVelmoraKey, 5, {L"program", L"", longPath + L"tool.exe", L"F", L"F", L"", L"", L"", L"All Users"});
    WriteRecord(kVelmoraKey, 6, {L"disk", longPath + L"star.ico", L"C:\\g.exe", L"G", L"G", L"", L"", L"", L""});

    const ULONGLONG start = ::GetTickCount64();
    Load();
    EXPECT_LT(::GetTickCount64() - start, 10000u);

    ASSERT_EQ(list.rows.size(), 7u);
    EXPECT_EQ(list.images.Count(), 25) << "no image appended for icons that did not load";
    for (int slot = 0; slot < 7; ++slot) {
        EXPECT_EQ(list.rows[slot].smallIcon, 1) << slot;
        EXPECT_EQ(list.rows[slot].tag, L"") << slot;
        EXPECT_EQ(list.rows[slot].iconKind, L"") << slot;
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, slot), L"Icon"), L"1") << slot;
    }
    // The disk icon's file name stays in its record; its browser entry shows library icon 1.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 0), L"Icon File"), Icons() + L"gone.ico");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(0), L"Icon"), Icons() + L"1gr.ico");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, EntryKey(0), L"HotIcon"), Icons() + L"1.ico");
    // A scope that is neither name counts as the current user.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(1), L"ButtonText"), L"B");
    // The long texts are kept as they were.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 5), L"Program"), longPath + L"tool.exe");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 6), L"Icon File"), longPath + L"star.ico");
}

TEST_F(StartupLoadTest, ProgramIconFileFromTheRecordOnlyWhenTheNamingRuleCanHaveGivenIt) {
    const std::wstring notepad = SystemProgram(L"notepad.exe");
    // A name that keeps its trailing dot before the extension: earlier versions saved "my app..ico".
    const std::wstring myApp = folder.path() + L"my app..exe";
    ASSERT_TRUE(::CopyFileW(notepad.c_str(), myApp.c_str(), FALSE));
    const struct {
        std::wstring program;
        std::wstring iconFile;  // in the record
        std::wstring used;      // the button's icon file
    } cases[] = {
        {notepad, Icons() + L"notepad (2).ico", Icons() + L"notepad (2).ico"},
        {notepad, Icons() + L"star.ico", Icons() + L"notepad.ico"},  // left over from a disk icon
        {notepad, folder.path() + L"notepad (3).ico", Icons() + L"notepad.ico"},
        {notepad, Icons() + L"notepad (1).ico", Icons() + L"notepad.ico"},
        {myApp, L"", Icons() + L"my app..ico"},
        {myApp, Icons() + L"MY APP. (3).ICO", Icons() + L"MY APP. (3).ICO"},
    };
    WriteCount(kVelmoraKey, std::to_wstring(std::size(cases)));
    for (int slot = 0; slot < static_cast<int>(std::size(cases)); ++slot) {
        WriteRecord(kVelmoraKey, slot,
                    {L"program", cases[slot].iconFile, cases[slot].program, L"N", L"N", L"", L"", L"", L""});
    }

    Load();

    ASSERT_EQ(list.rows.size(), std::size(cases));
    for (int slot = 0; slot < static_cast<int>(std::size(cases)); ++slot) {
        SCOPED_TRACE(cases[slot].iconFile);
        EXPECT_EQ(list.rows[slot].tag, cases[slot].used);
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(slot), L"Icon"), cases[slot].used);
    }

    // The rewrite keeps the other name in the record, also when the record was cleared first.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 0).c_str());
    ButtonOperations(list, settings, prompts, picico, folder.path()).RewriteAllButtons();
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 0), L"Icon File"), Icons() + L"notepad (2).ico");
}

TEST_F(StartupLoadTest, DamagedRecordsLoadWithoutHarm) {
    WriteCount(kVelmoraKey, L"3");  // only slot 0 has a record
    const std::wstring key = RecordKey(kVelmoraKey, 0);
    const DWORD number = 5;
    testing::WriteRaw(HKEY_CURRENT_USER, key, L"Icon", REG_DWORD, &number, sizeof(number));
    const std::wstring huge(300000, L'y');
    WriteString(HKEY_CURRENT_USER, key, L"Program", huge);
    testing::WriteRaw(HKEY_CURRENT_USER, key, L"ButtonText", REG_BINARY, "\x41\x00\x42", 3);

    Load();

    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0].text, huge);
    EXPECT_EQ(list.rows[0].buttonText, L"A");
    EXPECT_EQ(list.rows[0].smallIcon, 1);
    // Missing records read as empty buttons with library icon 1, written back in full.
    EXPECT_EQ(list.rows[2].text, L"");
    EXPECT_EQ(list.rows[2].smallIcon, 1);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, RecordKey(kVelmoraKey, 2), L"Icon"), L"1");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(2), L"Exec"), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Added Buttons", L"Count"), L"3");
}

}  // namespace
}  // namespace velmora
