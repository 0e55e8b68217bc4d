#include "buttons/button_operations.h"
#include "buttons/button_records.h"
#include "buttons/button_slots.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>

namespace velmora {
namespace {

using namespace testing;

const std::wstring kEarlierKey = L"Software\\Corvale\\Velmora 1.2";
const HKEY kUser = HKEY_CURRENT_USER;
const HKEY kMachine = HKEY_LOCAL_MACHINE;

// What the list holds of a row: the program, the sub-items 1 to 7, its own icon file and its image.
std::wstring Shown(const ButtonRow& row) {
    std::wstring shown = row.SubItem(0);
    for (int index = 1; index <= 7; ++index) shown += L"|" + row.SubItem(index);
    return shown + L"|" + row.tag + L"|" + std::to_wstring(row.smallIcon);
}

// A program folder of its own with the shipped library icons in its "icons" folder.
class StartupLoadTest : public ::testing::Test {
protected:
    StartupLoadTest() { CopyLibraryIcons(folder.path()); }

    // The values as the programs store them; "Icon File" only when there is one.
    void WriteRecord(const std::wstring& appKey, int slot, const ButtonRecord& r) {
        const std::pair<const wchar_t*, std::wstring> values[] = {
            {L"Icon", r.icon}, {L"Icon File", r.iconFile}, {L"Program", r.program}, {L"ButtonText", r.buttonText},
            {L"MenuText", r.menuText}, {L"MenuStatusBar", r.menuStatusBar}, {L"Arguments", r.arguments},
            {L"Link", r.link}, {L"Scope", r.scope}};
        for (const auto& [name, text] : values) {
            if (!text.empty() || name != std::wstring(L"Icon File")) {
                WriteString(kUser, RecordKey(slot, appKey), name, text);
            }
        }
    }
    void WriteCount(const std::wstring& appKey, const std::wstring& count) {
        WriteString(kUser, appKey + L"\\Added Buttons", L"Count", count);
    }
    void Load() { ButtonOperations(list, settings, prompts, picico, folder.path()).LoadAtStartup(); }
    std::wstring Icons() const { return folder.path() + L"icons\\"; }

    TempFolder folder;
    ButtonList list;
    CRegSettings settings{SystemRegistry(), L"Velmora"};
    ScriptedPrompts prompts;
    IconHolder picico;
};

TEST_F(StartupLoadTest, NoCountOrOneThatIsNotAPositiveNumberLoadsNothingAndWritesNothing) {
    Load();
    EXPECT_EQ(list.images.Count(), 25);
    EXPECT_FALSE(KeyExists(kUser, L"Software\\Corvale") || KeyExists(kUser, L"Software\\Microsoft") ||
                 KeyExists(kMachine, L"Software\\Microsoft"));
    for (const wchar_t* count : {L"abc", L"-2", L"0"}) {
        WriteCount(kVelmoraKey, count);
        WriteRecord(kVelmoraKey, 0, {L"1", L"", L"x.exe", L"X", L"X", L"", L"", L"", L"Current User"});
        Load();
        EXPECT_TRUE(list.rows.empty()) << count;
        EXPECT_EQ(ReadString(kUser, kRecordsKey, L"Count"), count);
        EXPECT_FALSE(KeyExists(kUser, EntryKey(0))) << count;
    }
    EXPECT_TRUE(prompts.shown.empty());
}

// Records of the earlier version are loaded from there, moved here and its key cleared; the next
// start loads the same buttons from here.
TEST_F(StartupLoadTest, ThreeIconKindsLoadInSlotOrderAndAreWrittenBackAndTheEarlierVersionsKeyGoes) {
    const std::wstring notepad = SystemFile(L"notepad.exe");
    const std::wstring link = folder.path() + L"shortcuts\\http___www.example.lnk";
    WriteCount(kEarlierKey, L"3");
    WriteRecord(kEarlierKey, 0, {L"program", L"", notepad, L"Notes", L"Open Notepad", L"Edit text", L"", L"",
                                 L"Current User"});
    WriteRecord(kEarlierKey, 1, {L"disk", Icons() + L"star.ico", L"http://www.example.com/", L"Star", L"Star menu",
                                 L"", L"-x", link, L"All Users"});
    folder.WriteFile(L"icons\\star.ico", ReadFileBytes(Icons() + L"6.ico"));
    WriteRecord(kEarlierKey, 2, {L"12", L"", L"C:\\Tools\\app.exe", L"App", L"App menu", L"Status", L"", L"",
                                 L"Current User"});
    WriteString(kUser, kEarlierKey + L"\\Messages", L"Restart IE", L"no");

    for (const char* start : {"first start", "next start"}) {
        SCOPED_TRACE(start);
        Load();
        EXPECT_FALSE(KeyExists(kUser, kEarlierKey));
        ASSERT_EQ(list.rows.size(), 3u);
        EXPECT_EQ(list.images.Count(), 27);
        EXPECT_EQ(Shown(list.rows[0]),
                  notepad + L"|Notes|Open Notepad|Edit text|Current User||||" + Icons() + L"notepad.ico|26");
        EXPECT_EQ(Shown(list.rows[1]), L"http://www.example.com/|Star|Star menu||All Users|-x|disk|" + link + L"|" +
                                           Icons() + L"star.ico|27");
        EXPECT_EQ(Shown(list.rows[2]), L"C:\\Tools\\app.exe|App|App menu|Status|Current User|||||12");

        // Browser entries from the records, each under the root of its scope; records rewritten with
        // the same values, always under the current user.
        const struct { HKEY root; std::wstring key; const wchar_t* name; std::optional<std::wstring> is; } stored[] = {
            {kUser, EntryKey(0), L"Icon", Icons() + L"notepad.ico"}, {kUser, EntryKey(0), L"Exec", notepad},
            {kUser, EntryKey(0), L"HotIcon", Icons() + L"notepad.ico"}, {kUser, EntryKey(1), L"Exec", std::nullopt},
            {kMachine, EntryKey(1), L"Exec", link}, {kMachine, EntryKey(1), L"Icon", Icons() + L"star.ico"},
            {kUser, EntryKey(2), L"Icon", Icons() + L"12gr.ico"}, {kUser, EntryKey(2), L"HotIcon", Icons() + L"12.ico"},
            {kUser, kRecordsKey, L"Count", L"3"}, {kUser, RecordKey(0), L"Icon", L"program"},
            {kUser, RecordKey(0), L"Icon File", std::nullopt}, {kUser, RecordKey(1), L"Icon", L"disk"},
            {kUser, RecordKey(1), L"Icon File", Icons() + L"star.ico"}, {kUser, RecordKey(2), L"Icon", L"12"},
        };
        for (const auto& s : stored) EXPECT_EQ(ReadString(s.root, s.key, s.name), s.is) << s.key << L" " << s.name;
    }
    EXPECT_TRUE(prompts.shown.empty());
    // An earlier key with an empty count is cleared too.
    WriteCount(kEarlierKey, L"0");
    Load();
    EXPECT_FALSE(KeyExists(kUser, kEarlierKey));
}

TEST_F(StartupLoadTest, MoreThanTwentyRecordsEraseEverySlotAfterTellingTheUser) {
    WriteCount(kVelmoraKey, L"21");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        WriteRecord(kVelmoraKey, slot, {L"1", L"", L"x.exe", L"X", L"X", L"", L"", L"", L"Current User"});
        WriteString(kUser, EntryKey(slot), L"ButtonText", L"X");
        WriteString(kMachine, EntryKey(slot), L"ButtonText", L"X");
    }
    WriteString(kUser, kVelmoraKey + L"\\Messages", L"Restart IE", L"no");

    Load();

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, L"Error");
    EXPECT_EQ(prompts.shown[0].text,
              L"Velmora found a problem with it's registry settings. Any buttons you have added will be erased. "
              L"Sorry for the inconvenience. If you continue to experience this problem, please contact Corvale "
              L"Software at the email address found in the \"About\" box.");
    EXPECT_EQ(prompts.shown[0].style, UINT{MB_OK | MB_ICONSTOP});
    EXPECT_TRUE(list.rows.empty());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(KeyExists(kUser, EntryKey(slot)) || KeyExists(kMachine, EntryKey(slot)) ||
                     KeyExists(kUser, RecordKey(slot)))
            << slot;
    }
    EXPECT_EQ(ReadString(kUser, kRecordsKey, L"Count"), L"0");
    EXPECT_EQ(ReadString(kUser, kVelmoraKey + L"\\Messages", L"Restart IE"), L"no");
}

// Records whose icon cannot be shown, or which are damaged or missing: each loads as a button with
// library icon 1, and is written back so.
TEST_F(StartupLoadTest, IconsThatCannotBeShownAndDamagedRecordsBecomeLibraryIconOne) {
    // Paths far longer than Windows takes, which the shell's icon and association calls must never see.
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 5000) longPath += L"very long folder name\\";
    const std::wstring huge(300000, L'y');
    const struct { std::wstring icon, iconFile, program, scope; } records[] = {
        {L"disk", Icons() + L"gone.ico", L"C:\\a.exe", L"All Users"},  // an icon file that is gone
        {L"program", L"", L"C:\\nowhere\\tool.zzqq", L""},             // a program that is gone, which nothing opens
        {L"99", L"", L"C:\\d.exe", L"Current User"},                    // a number the library does not have
        {L"program", L"", longPath + L"tool.exe", L"All Users"},
        {L"disk", longPath + L"star.ico", L"C:\\g.exe", L""},
        {L"", L"", huge, L""},  // "Icon" a number, "ButtonText" bytes (below)
        {L"", L"", L"", L""},   // no record at all
    };
    WriteCount(kVelmoraKey, L"7");
    for (int slot = 0; slot < 6; ++slot) {
        const auto& r = records[slot];
        WriteRecord(kVelmoraKey, slot, {r.icon, r.iconFile, r.program, L"B", L"B", L"", L"", L"", r.scope});
    }
    const DWORD number = 5;
    WriteRaw(kUser, RecordKey(5), L"Icon", REG_DWORD, &number, sizeof(number));
    WriteRaw(kUser, RecordKey(5), L"ButtonText", REG_BINARY, "\x41\x00\x42", 3);

    const ULONGLONG start = ::GetTickCount64();
    Load();
    EXPECT_LT(::GetTickCount64() - start, 10000u);

    ASSERT_EQ(list.rows.size(), 7u);
    EXPECT_EQ(list.images.Count(), 25) << "no image appended for icons that did not load";
    for (int slot = 0; slot < 7; ++slot) {
        EXPECT_EQ(list.rows[slot].smallIcon, 1) << slot;
        EXPECT_EQ(list.rows[slot].tag + list.rows[slot].iconKind, L"") << slot;
        EXPECT_EQ(ReadString(kUser, RecordKey(slot), L"Icon"), L"1") << slot;
        // The texts are kept as they were, long ones too.
        EXPECT_TRUE(list.rows[slot].text == records[slot].program) << slot;
        EXPECT_TRUE(ReadString(kUser, RecordKey(slot), L"Program") == records[slot].program) << slot;
    }
    EXPECT_EQ(list.rows[5].buttonText, L"A");
    EXPECT_EQ(ReadString(kUser, EntryKey(6), L"Exec"), L"");
    EXPECT_EQ(ReadString(kUser, kRecordsKey, L"Count"), L"7");
    // The disk icon's file name stays in its record; its browser entry shows library icon 1.
    EXPECT_EQ(ReadString(kUser, RecordKey(0), L"Icon File"), Icons() + L"gone.ico");
    EXPECT_EQ(ReadString(kUser, RecordKey(4), L"Icon File"), longPath + L"star.ico");
    EXPECT_EQ(ReadString(kMachine, EntryKey(0), L"Icon"), Icons() + L"1gr.ico");
    EXPECT_EQ(ReadString(kMachine, EntryKey(0), L"HotIcon"), Icons() + L"1.ico");
    // A scope that is neither name counts as the current user.
    EXPECT_EQ(ReadString(kUser, EntryKey(1), L"ButtonText"), L"B");
}

TEST_F(StartupLoadTest, ProgramIconFileFromTheRecordOnlyWhenTheNamingRuleCanHaveGivenIt) {
    const std::wstring notepad = SystemFile(L"notepad.exe");
    // A name that keeps its trailing dot before the extension: earlier versions saved "my app..ico".
    const std::wstring myApp = folder.path() + L"my app..exe";
    ASSERT_TRUE(::CopyFileW(notepad.c_str(), myApp.c_str(), FALSE));
    // A program, the "Icon File" of its record, and the icon file its button then uses.
    const struct { std::wstring program, iconFile, used; } cases[] = {
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
        EXPECT_EQ(ReadString(kUser, EntryKey(slot), L"Icon"), cases[slot].used);
    }

    // The rewrite keeps the other name in the record, also when the record was cleared first.
    ::RegDeleteTreeW(kUser, RecordKey(0).c_str());
    ButtonOperations(list, settings, prompts, picico, folder.path()).RewriteAllButtons();
    EXPECT_EQ(ReadString(kUser, RecordKey(0), L"Icon File"), Icons() + L"notepad (2).ico");
}

}  // namespace
}  // namespace velmora
