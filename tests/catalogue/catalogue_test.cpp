// The catalogue of bad inputs: damaged registry data, broken or missing files, odd paths and
// command lines, one row each with what must happen. After every row, whatever it fed: nothing
// crashed or hung, no file changed outside the program's "icons" and "shortcuts" folders (nor in
// a folder beside it), the library icons are as shipped, and the list, the records and the
// browser entries describe the same buttons, also after the next start.
#include "buttons/stored_layout.h"
#include "common/unique_handles.h"
#include "dialogs/tip_window.h"
#include "dialogs/tips.h"
#include "mainwindow/fill_from_file.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_layout.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_peek.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>

namespace velmora {
namespace {

using namespace layout;
using T = TextField;
using namespace testing;

const std::vector<std::wstring> kOwnFolders = {L"icons", L"shortcuts"};  // where the program writes
int inputsTried = 0;

// A message box the user gets: its title, its text (or, naming a file, the start of it), its style.
struct Box {
    const wchar_t *title = nullptr, *text = L"";
    UINT style = MB_OK | MB_ICONSTOP;
};
const Box kNoIcon{L"No Icon Found", L"No program icon could be found for this file."};
const Box kNoIconInFile{L"No Icon Found", L"No icon could be found in this file."};
const Box kErased{L"Error",
                  L"Velmora found a problem with it's registry settings. Any buttons you have added will be erased. "
                  L"Sorry for the inconvenience. If you continue to experience this problem, please contact Corvale "
                  L"Software at the email address found in the \"About\" box."};
const Box kNoIconFolder{L"Problem",
                        L"Velmora could not find it's icon folder. You may need to reinstall the program "
                        L"or contact Corvale Software to rectify this problem. The program will now close."};
const Box kNoLibraryIcon{L"Problem",
                         L"One or all of the files needed to display the selected icon for this button "
                         L"could not be found. You may need to reinstall the program or contact Corvale "
                         L"Software to rectify this problem. The button will not be added."};
const Box kNoShortcut{L"Problem", L"The shortcut \""};
const Box kWebParameters{L"Problem",
                         L"Command line parameters cannot be passed to a web address. Put them into the "
                         L"address itself, or empty the \"Command Line Parameters\" field."};

// How a registry value is stored: as the program stores it, or damaged.
enum Kind { Sz, Bare /* REG_SZ of no bytes at all */, Dword, Binary, Multi, Expand, Gone };
const char* const kKindNames[] = {"empty", "no_bytes", "dword", "binary", "multi_sz", "expand_sz"};

// The store the damage is done to: three buttons, with a library, a disk and a program icon.
const wchar_t* const kSeed[3][9] = {
    {L"3", nullptr, L"<sys>notepad.exe", L"Notes", L"Notes", L"Edit notes", L"", L"", L"Current User"},
    {L"disk", L"<prog>icons\\star.ico", L"https://example.com/", L"Web", L"Web", L"The site", L"", L"", L"All Users"},
    {L"program", nullptr, L"<sys>notepad.exe", L"Pad", L"Pad", L"", L"-x", L"<prog>shortcuts\\notepad.lnk",
     L"Current User"},
};

// One input and what must happen. Stored data goes to the start-up of the real main window; the
// editor's inputs are followed by "Add Button"; the tips file is read by the tip window.
enum Act { Type, ProgramIcon, Parameters, DiskIcon, Drop, CommandLine, Library7 };
enum TipsFile { Missing, Folder, Locked, Garbage, TenMegabytes, LongLine, LongerLine };
struct Row {
    std::string name;
    std::wstring input;                // the stored data, the path or the command line
    Box first = {}, second = {};       // the message boxes the user gets, in order
    int rows = 3;                      // buttons listed afterwards; for a tips file the tips read (-1: not read)
    std::wstring app = kVelmoraKey;    // stored data: under "Velmora" or the earlier "Velmora 1.2",
    int slot = -1;                     // in this slot's record (-1: "Count"),
    const wchar_t* value = L"Count";   // this value,
    Kind kind = Sz;                    // stored so
    const wchar_t* removed = nullptr;  // a file or folder of the program's taken away first
    int act = 0;                       // an Act or a TipsFile
    int image = 0;                     // the library image the slot's button then shows (0: not looked at)
};
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

Row Stored(std::string name, std::wstring app, int slot, const wchar_t* value, Kind kind, std::wstring data,
           int rows = 3, Box box = {}, const wchar_t* removed = nullptr, int image = 0) {
    return {std::move(name), std::move(data), box, {}, rows, std::move(app), slot, value, kind, removed, 0, image};
}
Row Acted(std::string name, int act, std::wstring path, Box first = {}, Box second = {}, int rows = 1) {
    return {std::move(name), std::move(path), first, second, rows, kVelmoraKey, -1, L"Count", Sz, nullptr, act};
}

void Put(const std::wstring& key, const wchar_t* name, Kind kind, const std::wstring& data) {
    if (kind == Gone) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    const std::wstring text = kind == Multi ? data + L'\0' + L'\0' : data + L'\0';
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(text.data()),
                            reinterpret_cast<const BYTE*>(text.data() + text.size()));
    const DWORD number = static_cast<DWORD>(std::wcstoul(data.c_str(), nullptr, 10));
    if (kind == Bare) bytes.clear();
    if (kind == Dword) bytes.assign(reinterpret_cast<const BYTE*>(&number), reinterpret_cast<const BYTE*>(&number + 1));
    if (kind == Binary) bytes.assign(data.begin(), data.end());  // a byte a character: odd lengths, no zeros
    const DWORD types[] = {REG_SZ, REG_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ, REG_EXPAND_SZ};
    WriteRaw(HKEY_CURRENT_USER, key, name, types[kind], bytes.data(), static_cast<DWORD>(bytes.size()));
}

class Catalogue : public ::testing::TestWithParam<Row> {
protected:
    Catalogue() {
        ++inputsTried;
        CopyLibraryIcons(prog.path());
        ::CopyFileW(Path(L"<prog>icons\\9.ico").c_str(), Path(L"<prog>icons\\star.ico").c_str(), FALSE);
        for (const wchar_t* copy : {L"<out>np.exe", L"<foreign>"}) {
            ::CopyFileW(Path(L"<sys>notepad.exe").c_str(), Path(copy).c_str(), FALSE);
        }
        out.WriteFile(L"garbage.ico", "This is no icon, just text\r\n");
        out.WriteFile(L"empty.ico", "");
        out.WriteFile(L"garbage.lnk", std::string(300, '\x4C'));
        prog.WriteFile(L"readme.txt", "Velmora");
    }

    // A row's path with its place holders filled in: a path of 300 characters, a name in letters
    // that no ANSI code page holds, the system folder, the folder beside the program, the program's.
    std::wstring Path(std::wstring text) const {
        const std::pair<std::wstring, std::wstring> holders[] = {
            {L"<long>", L"<out>" + std::wstring(300, L'a') + L".exe"},
            {L"<foreign>", L"<out>\u65E5\u672C\u8A9E \u0170n\u012F\u010D\u00F8d\u0119.exe"},
            {L"<sys>", SystemFile(L"")},
            {L"<out>", out.path()},
            {L"<prog>", prog.path()}};
        for (const auto& [holder, by] : holders) {
            for (size_t at = text.find(holder); at != std::wstring::npos; at = text.find(holder)) {
                text.replace(at, holder.size(), by);
            }
        }
        return text;
    }

    // Takes the state before the input is fed.
    void Before() {
        progFiles = ListFiles(prog.path(), kOwnFolders), allFiles = ListFiles(prog.path());
        outFiles = ListFiles(out.path());
        for (int n = 1; n <= kLibraryIconCount; ++n) {
            for (const std::wstring& file : {LibraryIconFile(prog.path(), n), LibraryHotIconFile(prog.path(), n)}) {
                if (FileExists(file)) library[file] = ReadFileBytes(file);
            }
        }
        started = std::chrono::steady_clock::now();
    }

    HWND Start(MainWindow& editor, const std::wstring& commandLine = L"") {
        MainWindowSetup setup;
        setup.programFolder = prog.path();
        setup.programName = L"vlm";
        setup.commandLine = commandLine;
        setup.windowsBuild = [] { return 19045ul; };  // Windows 10, whatever Wine reports
        HWND hwnd = editor.Create(std::move(setup));
        if (hwnd) editor.ShowStartupMessages();  // the window itself is not needed on the screen
        return hwnd;
    }
    void Click(int id) { ::SendMessageW(window.hwnd(), WM_COMMAND, id, reinterpret_cast<LPARAM>(window.Item(id))); }

    // What must hold after any input, with the message boxes the user got and the buttons listed.
    void ExpectSound(std::vector<Box> boxes, size_t rows, bool restart = true) {
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 10.0)
            << "the input takes too long";
        EXPECT_EQ(ListFiles(prog.path(), kOwnFolders), progFiles)
            << "a file outside the icons and shortcuts folders changed";
        EXPECT_EQ(ListFiles(out.path()), outFiles) << "a file outside the program's folder changed";
        for (const auto& [file, bytes] : library) {
            EXPECT_TRUE(ReadFileBytes(file) == bytes) << "changed: " << ::testing::PrintToString(file);
        }
        std::erase_if(boxes, [](const Box& box) { return !box.title; });
        const auto& shown = prompts.boxes.shown;
        EXPECT_EQ(shown.size(), boxes.size())
            << "the first box: " << ::testing::PrintToString(shown.empty() ? L"" : shown[0].text);
        for (size_t at = 0; at < std::min(shown.size(), boxes.size()); ++at) {
            EXPECT_EQ(shown[at].title, boxes[at].title);
            const std::wstring text = boxes[at].text;  // a text naming a file is compared up to the name
            EXPECT_TRUE(text.ends_with(L'"') ? shown[at].text.starts_with(text) : shown[at].text == text)
                << ::testing::PrintToString(shown[at].text);
            EXPECT_EQ(shown[at].style, boxes[at].style);
        }
        EXPECT_EQ(window.list().rows.size(), rows);
        ExpectStoreMatchesList();
        if (restart) ExpectSameAfterRestart();
    }

    // "Count", every record and every browser entry under both roots against the list's rows.
    void ExpectStoreMatchesList() {
        const auto& rows = window.list().rows;
        auto same = [](const std::optional<std::wstring>& stored, const std::wstring& listed, const wchar_t* what) {
            EXPECT_TRUE(stored == listed) << ::testing::PrintToString(what) << " is "
                                          << ::testing::PrintToString(stored.value_or(L"missing").substr(0, 80))
                                          << ", the list has " << ::testing::PrintToString(listed.substr(0, 80));
        };
        if (!rows.empty()) {
            same(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), std::to_wstring(rows.size()), L"Count");
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const std::wstring entry = EntryKey(slot), record = RecordKey(slot);
            const bool listed = slot < static_cast<int>(rows.size());
            const bool allUsers = listed && ForAllUsers(rows[slot].button.scope);
            EXPECT_FALSE(KeyExists(allUsers ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, entry)) << slot;
            if (!listed) {
                EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, entry)) << "an entry without a button: " << slot;
                continue;
            }
            const Button& button = rows[slot].button;
            const bool library = button.iconKind == IconKind::Library;
            EXPECT_TRUE(!library || window.rowImage(slot) == button.libraryNumber) << slot;
            const HKEY root = allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
            const std::wstring icon = library ? LibraryIconFile(prog.path(), button.libraryNumber) : button.iconFile;
            const std::wstring hotIcon =
                library ? LibraryHotIconFile(prog.path(), button.libraryNumber) : button.iconFile;
            const std::wstring exec = button.link.empty() ? button.fileToLaunch : button.link;
            for (const auto& [name, text] : {std::pair{L"ButtonText", button.buttonText},
                                             {L"MenuText", button.menuText},
                                             {L"MenuStatusBar", button.statusBarText},
                                             {L"Icon", icon},
                                             {L"HotIcon", hotIcon},
                                             {L"Exec", exec}}) {
                same(ReadString(root, entry, name), text, name);
            }
            const std::wstring kind = library                             ? std::to_wstring(button.libraryNumber)
                                      : button.iconKind == IconKind::Disk ? L"disk"
                                                                          : L"program";
            const std::wstring iconFile = ReadString(HKEY_CURRENT_USER, record, L"Icon File").value_or(button.iconFile);
            for (const auto& [name, text] : {std::pair{L"ButtonText", button.buttonText},
                                             {L"MenuText", button.menuText},
                                             {L"MenuStatusBar", button.statusBarText},
                                             {L"Program", button.fileToLaunch},
                                             {L"Arguments", button.parameters},
                                             {L"Link", button.link},
                                             {L"Scope", std::wstring(ScopeText(button.scope))},
                                             {L"Icon", kind}}) {
                same(ReadString(HKEY_CURRENT_USER, record, name), text, name);
            }
            if (!library) same(iconFile, button.iconFile, L"Icon File");
        }
    }

    // The next start lists the same buttons, silently.
    void ExpectSameAfterRestart() {
        ScriptedEditorPrompts again;
        MainWindow next{again};
        if (!Start(next)) return;
        EXPECT_TRUE(again.boxes.shown.empty());
        auto fields = [](MainWindow& shown, size_t at) {
            return std::tuple(shown.list().rows[at].button, shown.rowImage(static_cast<int>(at)));
        };
        const auto& rows = window.list().rows;
        ASSERT_EQ(next.list().rows.size(), rows.size()) << "buttons listed after a restart";
        for (size_t at = 0; at < rows.size(); ++at) {
            EXPECT_TRUE(fields(next, at) == fields(window, at)) << "button " << at << " changed on restart";
        }
    }

    // Deletes every button; afterwards no file the program made for them is left.
    void DeleteAll() {
        const size_t rows = window.list().rows.size();
        prompts.boxes.shown.clear();
        for (size_t n = 0; n < rows; ++n) {
            prompts.boxes.Answer(IDYES);
            Click(IDC_COMMAND8);
        }
        ExpectSound(std::vector<Box>(
                        rows, {L"Deleting Button", L"Are you sure you wish to delete the currently selected button?",
                               MB_YESNO | MB_ICONQUESTION}),
                    0, false);
        for (const auto& [file, facts] : ListFiles(prog.path())) {
            EXPECT_TRUE(allFiles.count(file)) << "left behind: " << ::testing::PrintToString(file);
        }
    }

    TempFolder prog, out;  // the program's folder, and one beside it
    ScriptedEditorPrompts prompts;
    MainWindow window{prompts};
    FileList progFiles, allFiles, outFiles;
    std::map<std::wstring, std::string> library;
    std::chrono::steady_clock::time_point started;
};

// --- Stored registry data ----------------------------------------------------------------------

std::vector<Row> StoreRows() {
    const struct {
        Kind kind;
        std::wstring data;
        int rows;
        Box box;
    } counts[] = {
        {Dword, L"3", 0, {}},
        {Binary, L"3", 0, {}},
        {Multi, L"3", 3, {}},
        {Expand, L"3", 3, {}},
        {Bare, L"", 0, {}},
        {Sz, L"", 0, {}},
        {Sz, L"abc", 0, {}},
        {Sz, L"-2", 0, {}},
        {Sz, L"21", 0, kErased},
        {Sz, L"1e3", 1, {}},
        {Sz, L" 7", 3, {}},
        {Sz, L"7.5", 3, {}},
        {Sz, L"99999999999999999999", 0, kErased},
        {Sz, std::wstring(1 << 19, L'9'), 0, kErased},
    };
    std::vector<Row> rows;
    for (const std::wstring& app : {kVelmoraKey, kVelmoraKey + L" 1.2"}) {
        const std::string prefix = app == kVelmoraKey ? "" : "earlier_";
        for (const auto& count : counts) {
            rows.push_back(Stored(prefix + "count_" + std::to_string(rows.size()), app, -1, L"Count", count.kind,
                                  count.data, count.rows, count.box));
        }
        // Every value of the disk icon's record stored with another type, empty, or 1 MB long.
        for (int value = 0; value < 9; ++value) {
            const std::string name = prefix + "value_" + std::to_string(value) + "_";
            for (Kind kind : {Sz, Bare, Dword, Binary, Multi, Expand}) {
                const wchar_t* good = kSeed[1][value] ? kSeed[1][value] : L"";
                rows.push_back(Stored(name + kKindNames[kind], app, 1, kRecordValueNames[value], kind,
                                      kind == Dword ? L"65"
                                      : kind == Sz  ? L""
                                                    : good));
            }
            rows.push_back(Stored(name + "1MB", app, 1, kRecordValueNames[value], Sz, std::wstring(1 << 19, L'x')));
        }
        // A record key that is not there is no button: the one after it moves up a slot.
        rows.push_back(Stored(prefix + "record_missing_in_the_middle", app, 1, nullptr, Gone, L"", 2));
    }
    // Odd paths as a program icon's "Program", a disk icon's "Icon File" and a shortcut's "Link";
    // some name a library icon or a file beside the program in another spelling.
    for (const wchar_t* path :
         {L"<long>", L"<foreign>", L"<out>sub\\..\\np.exe", L"CON", L"\\\\.\\NUL", L"<prog>icons\\5.ico.",
          L"<prog>icons\\5gr.ico ", L"<prog>icons\\5.ico::$DATA", L"<prog>readme.txt",
          L"<prog>shortcuts\\..\\readme.txt", L"https://example.com/a?b=1", L"<out>garbage.ico", L"<out>empty.ico"}) {
        const std::string n = std::to_string(rows.size());
        rows.push_back(Stored("program_path_" + n, kVelmoraKey, 2, L"Program", Sz, path));
        rows.push_back(Stored("icon_file_path_" + n, kVelmoraKey, 1, L"Icon File", Sz, path));
        rows.push_back(Stored("link_path_" + n, kVelmoraKey, 2, L"Link", Sz, path));
    }
    // A library number the library does not have shows library icon 1; halves round to even.
    for (const auto& [number, image] : {std::pair{L"0", 1},
                                        {L"26", 1},
                                        {L"-1", 1},
                                        {L"2.5", 2},
                                        {L"3.5", 4},
                                        {L" 3", 3},
                                        {L"99999999999999999999", 1}}) {
        rows.push_back(Stored("library_number_" + std::to_string(rows.size()), kVelmoraKey, 0, L"Icon", Sz, number, 3,
                              {}, nullptr, image));
    }
    rows.push_back(Stored("no_icons_folder", kVelmoraKey, -1, L"Count", Sz, L"3", 0, kNoIconFolder, L"icons"));
    rows.push_back(Stored("library_icon_1_missing", kVelmoraKey, -1, L"Count", Sz, L"3", 3, {}, L"icons\\1.ico"));
    rows.push_back(Stored("disk_icon_missing", kVelmoraKey, 1, L"Icon File", Sz, L"<prog>icons\\star.ico", 3, {},
                          L"icons\\star.ico", 1));
    return rows;
}

using StoredData = Catalogue;
TEST_P(StoredData, StartUpListsWhatItCanAndRewritesItAll) {
    const Row& row = GetParam();
    // An erased store loses every record and entry under both roots, and nothing else: entries of
    // all slots are there before.
    const bool erased = row.first.text == kErased.text;
    for (int slot = 0; erased && slot < kSlotCount; ++slot) {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            WriteString(root, EntryKey(slot), L"ButtonText", L"X");
        }
    }
    // The last button's entry, from the start that wrote it, before its record moves up.
    if (row.kind == Gone) WriteString(HKEY_CURRENT_USER, EntryKey(2), L"ButtonText", L"Pad");
    Put(kVelmoraKey + L"\\Messages", L"Restart IE", Sz, L"no");
    for (int slot = -1; slot < 3; ++slot) {
        for (int value = 0; value < 9; ++value) {
            const wchar_t* text = slot < 0 ? (value ? nullptr : L"3") : kSeed[slot][value];
            if (text) Put(RecordKey(slot, row.app), slot < 0 ? L"Count" : kRecordValueNames[value], Sz, Path(text));
        }
    }
    Put(RecordKey(row.slot, row.app), row.value, row.kind, Path(row.input));
    const std::wstring removed = row.removed ? prog.path() + row.removed : L"";
    ASSERT_TRUE(!row.removed || ::MoveFileW(removed.c_str(), (removed + L".gone").c_str()));
    Before();
    if (!Start(window)) {  // the program ends at once: no tip either
        EXPECT_TRUE(prompts.tipsOpenedWith.empty());
        return ExpectSound({row.first}, 0);
    }
    ExpectSound({row.first}, row.rows, false);
    for (int slot = 0; erased && slot < kSlotCount; ++slot) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, RecordKey(slot))) << slot;
    }
    EXPECT_TRUE(!erased || ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count") == L"0");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kVelmoraKey + L"\\Messages", L"Restart IE"), L"no");
    const auto& listed = window.list().rows;
    EXPECT_TRUE(!row.image ||
                (listed.at(row.slot).button.iconKind == IconKind::Library && window.rowImage(row.slot) == row.image));
    if (row.kind == Gone) {
        EXPECT_EQ(listed.at(1).button.buttonText, L"Pad");
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, RecordKey(2))) << "a record past the buttons";
    }
    // The earlier version's key goes once its buttons are carried over; a "Count" of no bytes at
    // all reads as none, and the key is not taken for the earlier version's.
    if (row.app != kVelmoraKey && row.kind != Bare) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, row.app)) << "the earlier version's key stays";
    }
    // Every button loads into the editor ("Edit Selected"), and one more is added.
    for (int at = 0; at < static_cast<int>(listed.size()); ++at) {
        window.ShowList(at);
        Click(IDC_COMMAND7);
    }
    Click(IDC_COMMAND9);
    window.fields().UserTyped(T::Text1, Path(L"<out>np.exe"));
    window.fields().UserTyped(T::Text2, L"Added");
    Click(IDC_COMMAND2);
    ExpectSound({row.first}, row.rows + 1);
    DeleteAll();
}

// --- Paths, files and command lines in the editor -----------------------------------------------

std::vector<Row> EditorRows() {
    std::vector<Row> rows = {
        Acted("disk_icon_garbage", DiskIcon, L"<out>garbage.ico", kNoIconInFile),
        Acted("disk_icon_empty", DiskIcon, L"<out>empty.ico", kNoIconInFile),
        Acted("disk_icon_missing", DiskIcon, L"<out>none.ico", kNoIconInFile),
        Acted("library_icon_file_missing", Library7, L"", kNoLibraryIcon, {}, 0),
        Acted("drop_garbage_lnk", Drop, L"<out>garbage.lnk", kNoIcon),
        Acted("drop_device", Drop, L"CON", kNoIcon),
        Acted("drop_web_address", Drop, L"https://example.com/a?b=1"),  // no program icon, and no box
        Acted("command_line_folder", CommandLine, L"<out>"),
        Acted("command_line_garbage_lnk", CommandLine, L"<out>garbage.lnk", kNoIcon),
        Acted("command_line_quoted_garbage_lnk", CommandLine, L"\"<out>garbage.lnk\"", kNoIcon),
        Acted("command_line_double_quote", CommandLine, L"\"", kNoIcon),
        Acted("command_line_single_quote", CommandLine, L"'", kNoIcon),
        Acted("command_line_long", CommandLine, L"<long>", kNoIcon),
        Acted("command_line_device", CommandLine, L"\\\\.\\NUL", kNoIcon),
    };
    // Paths as "File to Launch", with a library icon, with the program's icon and with parameters.
    const struct {
        const wchar_t* path;
        Box programIcon, parameters;
    } paths[] = {
        {L"<out>np.exe", {}, {}},
        {L"<long>", kNoIcon, kNoShortcut},
        {L"<foreign>", {}, {}},
        {L"<out>sub\\..\\np.exe", {}, {}},
        {L"..\\..\\..\\np.exe", kNoIcon, {}},
        {L"CON", kNoIcon, {}},
        {L"<out>nul.exe", kNoIcon, {}},
        {L"\\\\.\\COM1", kNoIcon, {}},
        {L"https://example.com/a?b=1&c=%20", kNoIcon, kWebParameters},
        {L"mailto:someone@example.com", kNoIcon, kWebParameters},
        {L"\\\\?\\<sys>notepad.exe", {}, {}},
        {L"<out>", kNoIcon, {}},
    };
    for (const auto& path : paths) {
        const std::string n = std::to_string(rows.size());
        rows.push_back(Acted("typed_" + n, Type, path.path));
        rows.push_back(Acted("program_icon_" + n, ProgramIcon, path.path, path.programIcon));
        const int added = path.parameters.title ? 0 : 1;
        rows.push_back(Acted("parameters_" + n, Parameters, path.path, path.parameters, {}, added));
    }
    return rows;
}

using EditorInputs = Catalogue;
TEST_P(EditorInputs, TheButtonIsAddedOrTheUserIsTold) {
    const Row& row = GetParam();
    const std::wstring path = Path(row.input);
    if (row.act == Library7) ::DeleteFileW(Path(L"<prog>icons\\7gr.ico").c_str());
    Before();
    ASSERT_NE(Start(window, row.act == CommandLine ? path : L""), nullptr);
    EditorFields& fields = window.fields();
    if (row.act == Type || row.act == ProgramIcon || row.act == Parameters) fields.UserTyped(T::Text1, path);
    if (row.act == ProgramIcon) fields.UserClicked(CheckField::Check1);
    if (row.act == Parameters) fields.UserTyped(T::Text5, L"-x");
    if (row.act == DiskIcon) prompts.openAnswers.push_back(path);
    if (row.act == DiskIcon) Click(IDC_COMMAND5);
    if (row.act == Library7) prompts.libraryAnswers.push_back(7);
    if (row.act == Library7) Click(IDC_COMMAND3);
    if (row.act == Drop) DropOnEditor(fields, prompts, window.Stores().preferences, path);
    if (fields.Text(T::Text1).empty()) fields.UserTyped(T::Text1, Path(L"<out>np.exe"));
    if (fields.Text(T::Text2).empty()) fields.UserTyped(T::Text2, L"Button");
    Click(IDC_COMMAND2);
    ExpectSound({row.first, row.second}, row.rows);
    DeleteAll();
}

// --- The tips file ------------------------------------------------------------------------------

using TipsFiles = Catalogue;
TEST_P(TipsFiles, TheTipWindowShowsATipOrSaysTheFileIsMissing) {
    const Row& row = GetParam();
    const std::wstring file = prog.path() + L"vlmtips.txt";
    std::string bytes;
    for (int n = 0; row.act == Garbage && n < 1 << 16; ++n) bytes += static_cast<char>(n * 7919 % 256);
    while (row.act == TenMegabytes && bytes.size() < 10 << 20) bytes += "Velmora adds buttons to the browser.\r\n";
    if (row.act == LongLine) bytes.assign(1 << 20, 'x');
    if (row.act == LongerLine) bytes.assign((1 << 20) + 9, 'x');  // read up to its first 1 MiB
    if (row.act == Folder) ::CreateDirectoryW(file.c_str(), nullptr);
    if (row.act != Missing && row.act != Folder) prog.WriteFile(L"vlmtips.txt", bytes);
    UniqueFileHandle lock(row.act == Locked
                              ? ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                              : INVALID_HANDLE_VALUE);
    Before();
    std::vector<std::wstring> tips;
    EXPECT_EQ(ReadTipsFile(file, tips), row.rows >= 0);
    if (row.rows > 0) {
        EXPECT_EQ(tips.size(), static_cast<size_t>(row.rows));
    }
    TipWindow tip(SystemRegistry(), L"vlm", file, false);
    HWND dialog = tip.CreateModeless(nullptr);
    ASSERT_NE(dialog, nullptr);
    ::ShowWindow(dialog, SW_SHOWNOACTIVATE);
    ::UpdateWindow(dialog);
    const std::wstring missing =
        L"That the vlmtips.txt file was not found? \r\n\r\nCreate a text file named "
        L"vlmtips.txt using NotePad with 1 tip per line. Then place it in the same "
        L"directory as the application. ";
    EXPECT_EQ(row.rows < 0, WindowText(dialog, TipWindow::kLblTipText) == missing) << "shows the tip";
    EXPECT_EQ(row.rows == 1, ::GetWindowTextLengthW(::GetDlgItem(dialog, TipWindow::kLblTipText)) == 1 << 20);
    ::DestroyWindow(dialog);
    ExpectSound({}, 0);
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, StoredData, ::testing::ValuesIn(StoreRows()), RowName);
INSTANTIATE_TEST_SUITE_P(Catalogue, EditorInputs, ::testing::ValuesIn(EditorRows()), RowName);
INSTANTIATE_TEST_SUITE_P(
    Catalogue, TipsFiles,
    ::testing::Values(Acted("missing", Missing, L"", {}, {}, -1), Acted("a_folder", Folder, L"", {}, {}, -1),
                      Acted("locked", Locked, L"", {}, {}, -1), Acted("binary", Garbage, L"", {}, {}, 0),
                      Acted("ten_megabytes", TenMegabytes, L"", {}, {}, 27594), Acted("one_line_of_1MB", LongLine, L""),
                      Acted("one_line_past_1MB", LongerLine, L"")),
    RowName);

struct InputCount : ::testing::Environment {
    void TearDown() override { std::printf("catalogue: %d inputs tried\n", inputsTried); }
};
const auto* const kInputCount = ::testing::AddGlobalTestEnvironment(new InputCount);

}  // namespace
}  // namespace velmora
