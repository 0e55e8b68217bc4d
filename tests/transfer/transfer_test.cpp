#include "buttons/button_operations.h"
#include "buttons/shortcut_file.h"
#include "common/report_text.h"
#include "deleter/delete_all_buttons.h"
#include "mainwindow/transfer_menu.h"
#include "regfile/reg_file.h"
#include "transfer/button_export.h"
#include "transfer/button_import.h"
#include "transfer/transfer_commands.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_dump.h"
#include "tests/support/registry_peek.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/standard_user_registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace velmora {
namespace {

using namespace testing;
const std::wstring kNotepad = SystemFile(L"notepad.exe");

// The buttons as the list, the registry and the files show them.
std::vector<std::wstring> State(const ButtonList& list) {
    std::vector<std::wstring> state;
    for (const ButtonRow& row : list.rows) {
        const Button& button = row.button;
        std::wstring line;
        for (int column = 0; column < 8; ++column) line += row.Column(column) + L"|";
        line += button.iconFile + L"|" + (button.iconFile.empty() ? std::to_wstring(button.libraryNumber) : L"");
        if (!button.iconFile.empty()) {
            line += L"|" + std::to_wstring(std::hash<std::string>()(ReadFileBytes(button.iconFile)));
        }
        ShortcutContents link;
        if (!button.link.empty() && ReadShortcutFile(button.link, link)) {
            line += L"|" + link.target + L" " + link.arguments;
        }
        state.push_back(line);
    }
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const auto& [name, text] : DumpTexts(root, L"Software")) state.push_back(name + L"=" + text);
    }
    return state;
}

class TransferTest : public ::testing::Test {
protected:
    explicit TransferTest(RegistryApi& registry = SystemRegistry()) : stores(registry) {
        CopyLibraryIcons(program.path());
    }
    // A button of the given icon, as the editor's fields would give it.
    bool Add(const std::wstring& text, IconKind source, const std::wstring& file, const std::wstring& parameters = L"",
             bool allUsers = false, int library = 1, const std::wstring& diskIcon = L"") {
        ButtonDraft draft;
        Button& button = draft.button;
        button.fileToLaunch = file;
        button.parameters = parameters;
        button.buttonText = button.menuText = text;
        button.statusBarText = text + L" status";
        button.scope = allUsers ? ButtonScope::AllUsers : ButtonScope::CurrentUser;
        button.iconKind = source;
        button.libraryNumber = library;
        button.iconFile = diskIcon;
        ProgramIcons icons = source == IconKind::Disk ? ProgramIcons{ProgramIconPicture(diskIcon, 0, false),
                                                                     ProgramIconPicture(diskIcon, 0, true)}
                                                      : TakeProgramIcons(file);
        draft.largeIcon = icons.large.get();
        return operations.AddButton(draft).done;
    }
    // Every button gone as the deleter removes them, and their files too.
    void DeleteAllWithTheirFiles() {
        prompts.Answer(IDYES);
        ASSERT_EQ(DeleteAllAddedButtons(stores, prompts), 0);
        for (const ButtonRow& row : list.rows) {
            ::DeleteFileW(row.button.iconFile.c_str());
            ::DeleteFileW(row.button.link.c_str());
        }
        ASSERT_TRUE(operations.LoadAtStartup());
        ASSERT_TRUE(list.rows.empty());
    }
    std::wstring Import(const std::string& content, ExitCode outcome) {
        const std::wstring file = out.WriteFile(L"in.reg", content);
        const TransferReport report = ImportButtons(list, stores, program.path(), file);
        EXPECT_EQ(report.outcome, outcome) << ::testing::PrintToString(report.Text());
        return report.Text();
    }

    TempFolder program, out;
    ButtonList list;
    RegistryStores stores;
    ScriptedPrompts prompts;
    ButtonOperations operations{list, stores, prompts, program.path()};
};

// A UTF-16 LE registry file with a byte-order mark, from lines.
std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}
std::wstring RegPath(const std::wstring& path) {
    std::wstring escaped;
    for (wchar_t c : path) escaped += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
    return escaped;
}

// Buttons of every icon kind, with and without parameters, in both scopes, with texts outside the
// ANSI code page and characters the format escapes: exported, deleted with their files, imported
// again, they are the same list, keys, values and files.
TEST_F(TransferTest, RoundTripGivesTheSameButtons) {
    const std::wstring star = out.path() + L"src\\star.ico";
    ::CreateDirectoryW((out.path() + L"src").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW(ShippedLibraryIcon(L"7.ico").c_str(), star.c_str(), FALSE));
    ASSERT_TRUE(Add(L"Блокнот ✓", IconKind::Program, kNotepad, L"-x \"a b\""));
    ASSERT_TRUE(Add(L"Star", IconKind::Disk, L"C:\\Tools\\star.exe", L"", true, 1, star));
    ASSERT_TRUE(Add(L"Web \"q\" \\", IconKind::Library, L"https://example.com/?a=1", L"", false, 12));
    ASSERT_TRUE(Add(L"Pad 2", IconKind::Library, kNotepad, L"/p", true, 3));
    const std::vector<std::wstring> before = State(list);

    const std::wstring file = out.path() + L"Velmora buttons.reg";
    const TransferReport exported = ExportButtons(list, program.path(), file);
    EXPECT_EQ(exported.outcome, ExitCode::Done);
    EXPECT_EQ(exported.Text(), L"4 buttons were exported to \"" + file +
                                   L"\".\r\nTheir icon and shortcut files were "
                                   L"copied to \"" +
                                   out.path() + L"Velmora buttons files\\\".");
    EXPECT_EQ(State(list), before) << "an export changes nothing";
    const FileList copied = ListFiles(out.path() + L"Velmora buttons files\\");
    const std::vector<std::wstring> names = {L"icons\\notepad.ico", L"icons\\star.ico", L"shortcuts\\notepad (2).lnk",
                                             L"shortcuts\\notepad.lnk"};
    ASSERT_EQ(copied.size(), names.size());
    for (const std::wstring& name : names) EXPECT_TRUE(copied.count(name)) << name;

    // Gone as the deleter removes them, and their files too.
    DeleteAllWithTheirFiles();

    const TransferReport imported = ImportButtons(list, stores, program.path(), file);
    EXPECT_EQ(imported.outcome, ExitCode::Done);
    EXPECT_EQ(imported.Text(), L"4 buttons were added.");
    EXPECT_EQ(State(list), before);
}

// Two buttons whose files have the same names, one in the user's place (the program's folder
// could not be written) and one beside the program: both files travel, under distinct names, and
// each button comes back with its own. A second export replaces the files folder as a whole; a
// folder that holds a file an export does not make is left as it is.
TEST_F(TransferTest, ExportCarriesSameNamedFilesOfTwoPlacesAndReplacesItsFolder) {
    TempFolder user;
    const FilePlaces places{program.path(), user.path() + L"Velmora\\", L"", false};
    std::vector<std::string> icons;
    for (const wchar_t* library : {L"7.ico", L"9.ico"}) {
        const std::wstring source = out.path() + library + L"\\star.ico";
        ::CreateDirectoryW((out.path() + library).c_str(), nullptr);
        ASSERT_TRUE(::CopyFileW(ShippedLibraryIcon(library).c_str(), source.c_str(), FALSE));
        icons.push_back(ReadFileBytes(source));
    }
    ButtonDraft draft;
    draft.button = {kNotepad,
                    L"-x",
                    L"Mine",
                    L"Mine",
                    L"Mine",
                    ButtonScope::CurrentUser,
                    IconKind::Disk,
                    1,
                    out.path() + L"7.ico\\star.ico",
                    L""};
    const ProgramIcons picture{ProgramIconPicture(draft.button.iconFile, 0, false),
                               ProgramIconPicture(draft.button.iconFile, 0, true)};
    draft.largeIcon = picture.large.get();
    ASSERT_TRUE(ButtonOperations(list, stores, prompts, places).AddButton(draft).done);
    ASSERT_TRUE(Add(L"Beside", IconKind::Disk, kNotepad, L"-y", false, 1, out.path() + L"9.ico\\star.ico"));
    ASSERT_EQ(list.rows[0].button.iconFile, places.userFolder + L"icons\\star.ico");
    ASSERT_EQ(list.rows[1].button.iconFile, program.path() + L"icons\\star.ico");

    const std::wstring file = out.path() + L"e.reg";
    const std::wstring files = out.path() + L"e files\\";
    EXPECT_EQ(ExportButtons(list, places, file).outcome, ExitCode::Done);
    EXPECT_EQ(ListFiles(files).size(), 4u);
    for (const wchar_t* name :
         {L"icons\\star.ico", L"icons\\star (2).ico", L"shortcuts\\notepad.lnk", L"shortcuts\\notepad (2).lnk"})
        EXPECT_TRUE(ListFiles(files).count(name)) << ::testing::PrintToString(name);
    const std::string text = ReadFileBytes(file);
    EXPECT_NE(text.find(Utf16File(L"their icon and shortcut files in " + program.path() + L" and " + places.userFolder +
                                  L".\r\n")
                            .substr(2)),
              std::string::npos);

    // Gone with their files, and imported again: each has its own icon.
    DeleteAllWithTheirFiles();
    EXPECT_EQ(ImportButtons(list, stores, places, file).Text(), L"2 buttons were added.");
    ASSERT_EQ(list.rows.size(), 2u);
    for (size_t row = 0; row < 2; ++row) EXPECT_EQ(ReadFileBytes(list.rows[row].button.iconFile), icons[row]) << row;

    // One button fewer: the second export's folder holds its files alone, and nothing is left beside it.
    ASSERT_TRUE(operations.DeleteButton(1));
    EXPECT_EQ(ExportButtons(list, places, file).outcome, ExitCode::Done);
    EXPECT_EQ(ListFiles(files).size(), 2u);
    EXPECT_EQ(ReadFileBytes(files + L"icons\\star.ico"), icons[0]);
    for (const auto& [name, facts] : ListFiles(out.path(), {}, true))
        EXPECT_EQ(name.find(L"~"), std::wstring::npos) << ::testing::PrintToString(name);

    // A user's own icon dropped among the copies: no earlier export made it.
    const std::wstring notes = out.WriteFile(L"e files\\icons\\mine.ico", "mine");
    const TransferReport kept = ExportButtons(list, places, file);
    EXPECT_EQ(kept.outcome, ExitCode::DoneInPart);
    EXPECT_EQ(kept.lines.back(), L"The folder \"" + out.path() +
                                     L"e files\\\" holds files an export does not make, so it was left as it is; "
                                     L"the buttons' icon and shortcut files were not copied there.");
    EXPECT_EQ(ReadFileBytes(notes), "mine");
    EXPECT_EQ(ListFiles(files).size(), 3u);
}

// The file as "reg import" and the registry editor read it, and what it holds for each scope.
TEST_F(TransferTest, ExportIsARegistryEditorFile) {
    ASSERT_TRUE(Add(L"Ünï \"x\"", IconKind::Library, L"C:\\a\\b.exe", L"", true, 4));
    const std::wstring file = out.path() + L"e.reg";
    ASSERT_EQ(ExportButtons(list, program.path(), file).outcome, ExitCode::Done);
    const std::string bytes = ReadFileBytes(file);
    const std::string header = Utf16File(L"Windows Registry Editor Version 5.00\r\n; ");
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_NE(bytes.find(Utf16File(L"\"ButtonText\"=\"Ünï \\\"x\\\"\"\r\n").substr(2)), std::string::npos);
    EXPECT_NE(bytes.find(Utf16File(L"\"Exec\"=\"C:\\\\a\\\\b.exe\"\r\n").substr(2)), std::string::npos);
    const RegFileReadResult read = ReadRegFile(file);
    ASSERT_TRUE(read.ok());
    std::vector<std::wstring> keys;
    for (const RegKey& key : read.file.keys) keys.push_back(key.path);
    const std::wstring slot = ButtonSlotIds[0];
    EXPECT_EQ(keys, (std::vector<std::wstring>{
                        L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions\\" + slot,
                        L"HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Internet Explorer\\Extensions\\" + slot,
                        L"HKEY_CURRENT_USER\\Software\\Corvale\\Velmora\\Added Buttons\\" + slot,
                        L"HKEY_CURRENT_USER\\Software\\Corvale\\Velmora\\Added Buttons"}));
    EXPECT_FALSE(FileExists(out.path() + L"e files\\")) << "library icons are never copied";
}

// A hand-written file in the 8-bit format with one button among other programs' keys: only the
// button is added, with what it leaves out filled in; nothing else in the file is applied.
TEST_F(TransferTest, HandWrittenFileAddsItsButtonAndNothingElse) {
    WriteString(HKEY_CURRENT_USER, L"Software\\Keep", L"v", L"kept");
    const std::wstring notepad = RegPath(kNotepad);
    const std::string text =
        "REGEDIT4\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet "
        "Explorer\\Extensions\\{11111111-2222-3333-4444-555555555555}]\r\n"
        "\"CLSID\"=\"{1fba04ee-3024-11d2-8f1f-0000f87abd16}\"\r\n\"ButtonText\"=\"Pad\"\r\n\"Exec\"=\"" +
        std::string(notepad.begin(), notepad.end()) +
        "\"\r\n\"Icon\"=\"C:\\\\Old\\\\icons\\\\5gr.ico\"\r\n\"HotIcon\"=\"C:\\\\Old\\\\icons\\\\5.ico\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other Program]\r\n\"Run\"=\"evil\"\r\n\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Keep]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet "
        "Explorer\\Extensions\\{AAAAAAAA-2222-3333-4444-555555555555}]\r\n"
        "\"Clsid\"=\"{00000000-0000-0000-0000-000000000000}\"\r\n\"Exec\"=\"x.exe\"\r\n";
    EXPECT_EQ(Import(text, ExitCode::Done),
              L"1 button was added.\r\n\"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
              L"{AAAAAAAA-2222-3333-4444-555555555555}\": not a button: \"Clsid\" names another class.\r\n"
              L"2 other keys in the file were left alone.");
    ASSERT_EQ(list.rows.size(), 1u);
    const Button& button = list.rows[0].button;
    EXPECT_EQ(button.fileToLaunch + L"|" + button.buttonText + L"|" + button.menuText + L"|" + button.statusBarText,
              kNotepad + L"|Pad|Pad|Pad");
    EXPECT_EQ(button.scope, ButtonScope::CurrentUser);
    EXPECT_EQ(button.libraryNumber, 5);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, L"Software\\Keep", L"v"), L"kept");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Other Program"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(0)));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, EntryKey(0), L"ButtonText"), L"Pad");
}

// A list of 19 and a file of three: one listed already, one that fills the list, one too many.
TEST_F(TransferTest, FullListSkipsTheRestAndSaysWhy) {
    for (int i = 0; i < 19; ++i) ASSERT_TRUE(Add(L"B" + std::to_wstring(i), IconKind::Library, L"C:\\b.exe"));
    std::wstring text = L"Windows Registry Editor Version 5.00\r\n\r\n";
    for (int i : {3, 19, 20}) {
        text += L"[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\{0000000" +
                std::to_wstring(i % 10) + L"-0000-0000-0000-0000000000" + std::to_wstring(10 + i) +
                L"}]\r\n\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"Exec\"=\"C:\\\\b.exe\"\r\n"
                L"\"Icon\"=\"1gr.ico\"\r\n\"HotIcon\"=\"1.ico\"\r\n\"ButtonText\"=\"B" +
                std::to_wstring(i) + L"\"\r\n\"MenuStatusBar\"=\"B" + std::to_wstring(i) + L" status\"\r\n\r\n";
    }
    EXPECT_EQ(Import(Utf16File(text), ExitCode::DoneInPart),
              L"1 button was added.\r\n\"B3\": already listed.\r\n\"B20\": the list is full (20 buttons).");
    EXPECT_EQ(list.rows.size(), 20u);
}

// A file of buttons, each with its key in its own slot and the values given after the Clsid.
std::wstring ButtonsFile(size_t count, const std::function<std::wstring(size_t)>& values) {
    std::wstring text = L"Windows Registry Editor Version 5.00\r\n";
    for (size_t i = 0; i < count; ++i) {
        wchar_t guid[40];
        std::swprintf(guid, 40, L"{%08zX-0000-0000-0000-000000000000}", i);
        text += L"\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\" + std::wstring(guid) +
                L"]\r\n\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n" + values(i);
    }
    return text;
}

// A file of 5,000 buttons: 20 fill the list, and of the rest a screenful is named, then how many
// more. Their captions are quoted printable and cut: none forges a line of the report.
TEST_F(TransferTest, ManyButtonsReportAScreenfulWithEscapedCaptions) {
    const std::wstring longCaption(3000, L'w');
    const std::wstring file = ButtonsFile(5000, [&](size_t i) {
        // "Evil\r\n1 button was added.\x1B[2J" as the UTF-16 bytes of a hex(1) value.
        std::wstring evil = L"\"ButtonText\"=hex(1):";
        for (wchar_t c : std::wstring(L"Evil\r\n1 button was added.\x1B[2J")) {
            wchar_t byte[8];
            std::swprintf(byte, 8, L"%02x,00,", static_cast<unsigned>(c));
            evil += byte;
        }
        const std::wstring caption = i == 20   ? evil + L"00,00"
                                     : i == 21 ? L"\"ButtonText\"=\"" + longCaption + L"\""
                                               : L"\"ButtonText\"=\"B" + std::to_wstring(i) + L"\"";
        return L"\"Exec\"=\"C:\\\\b.exe\"\r\n" + caption + L"\r\n";
    });
    const std::wstring report = Import(Utf16File(file), ExitCode::DoneInPart);
    std::vector<std::wstring> lines;
    for (size_t start = 0; start <= report.size();) {
        const size_t end = std::min(report.find(L"\r\n", start), report.size());
        lines.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 22u) << ::testing::PrintToString(report.substr(0, 2000));
    EXPECT_EQ(lines[0], L"20 buttons were added.");
    EXPECT_EQ(lines[1], L"\"Evil\\r\\n1 button was added.\\x1B[2J\": the list is full (20 buttons).");
    EXPECT_EQ(lines[2], L"\"" + longCaption.substr(0, kQuotedTextLimit) + L"...\": the list is full (20 buttons).");
    EXPECT_EQ(lines[20], L"\"B39\": the list is full (20 buttons).");
    EXPECT_EQ(lines[21], L"... and 4,960 more like these.");
    EXPECT_EQ(list.rows.size(), 20u);
}

class StandardUserTransferTest : public TransferTest {
protected:
    StandardUserTransferTest() : TransferTest(standardUser) {}
    static inline StandardUserRegistry standardUser;
};

// "All Users" without administrator rights: refused and undone, as "Add Button" does, and reported;
// the other button is added.
TEST_F(StandardUserTransferTest, AllUsersButtonIsRefusedAndUndone) {
    const std::string text =
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Internet "
        "Explorer\\Extensions\\{11111111-2222-3333-4444-555555555555}]\r\n"
        "\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"ButtonText\"=\"Shared\"\r\n\"Exec\"=\"C:\\\\s."
        "exe\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet "
        "Explorer\\Extensions\\{11111111-2222-3333-4444-555555555555}]\r\n"
        "\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"ButtonText\"=\"Mine\"\r\n\"Exec\"=\"C:\\\\m."
        "exe\"\r\n";
    const std::wstring report = Import(text, ExitCode::DoneInPart);
    EXPECT_EQ(
        report.substr(0, report.find(L"Buttons for")),
        L"1 button was added.\r\n\"Shared\": could not be added: The button could not be added: its settings could "
        L"not be written to the registry. ");
    EXPECT_NE(report.find(L"Nothing was changed."), std::wstring::npos);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].button.buttonText, L"Mine");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRecordsKey, L"Count"), L"1");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey(0)));
}

// Bad files: a clear message, and nothing changes.
TEST_F(TransferTest, BadFilesChangeNothing) {
    const std::string extensions = "Software\\Microsoft\\Internet Explorer\\Extensions\\";
    const std::string toolbar = "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}";
    const std::string header =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
        "{11111111-2222-3333-4444-555555555555}]\r\n\"Clsid\"=\"" +
        std::string("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}") + "\"\r\n";
    const struct {
        const char* name;
        std::string content;
        const wchar_t* says;
        bool many = false;  // more bad values than a screenful
    } cases[] = {
        {"not a registry file", "hello\r\n", L"not a registry file"},
        {"too large", "REGEDIT4\r\n" + std::string(kMaxRegFileBytes, ';'), L"too large"},
        {"broken line", header + "\"Exec\"=\"a.exe\r\n", L"line 5"},
        {"unknown escape", header + "\"Exec\"=\"a\\q.exe\"\r\n", L"line 5"},
        {"other type", header + "\"Exec\"=dword:00000001\r\n", L"line 5: the value \"Exec\" of a button is not a text"},
        {"5,000 buttons with values of another type",
         [] {
             const std::wstring text = ButtonsFile(5000, [](size_t) { return L"\"Exec\"=dword:00000001\r\n"; });
             return Utf16File(text);
         }(),
         L"line 5: the value \"Exec\" of a button is not a text (REG_SZ)\r\nline 9: ", true},
        // Keys meant as buttons say why they are none, one line each; other keys are not named.
        {"no button",
         "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\" +
             extensions +
             "{11111111-2222-3333-4444-555555555555}]\r\n"
             "\"ButtonText\"=\"A\"\r\n\"Exec\"=\"a.exe\"\r\n"
             "[HKEY_CURRENT_USER\\" +
             extensions +
             "{22222222-2222-3333-4444-555555555555}]\r\n"
             "\"Clsid\"=\"" +
             toolbar +
             "\"\r\n"
             "[HKEY_CURRENT_USER\\" +
             extensions +
             "{33333333-2222-3333-4444-555555555555}]\r\n"
             "\"Clsid\"=dword:00000001\r\n\"Exec\"=hex:00\r\n"
             "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\{44444444-2222-3333-4444-555555555555}]\r\n"
             "\"Clsid\"=\"" +
             toolbar +
             "\"\r\n\"Exec\"=\"a.exe\"\r\n"
             "[HKEY_CURRENT_USER\\Software\\X]\r\n\"Exec\"=\"a\"\r\n"
             "[HKEY_CURRENT_USER\\" +
             extensions +
             "Mine]\r\n\"ButtonText\"=\"m\"\r\n"
             "[HKEY_USERS\\S-1-5-21\\" +
             extensions +
             "{66666666-2222-3333-4444-555555555555}]\r\n"
             "\"Exec\"=\"a.exe\"\r\n"
             "[HKEY_CURRENT_USER\\Software\\Unrelated]\r\n\"x\"=\"y\"\r\n",
         L"it holds no toolbar buttons.\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
         L"{11111111-2222-3333-4444-555555555555}\": not a button: no \"Clsid\".\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
         L"{22222222-2222-3333-4444-555555555555}\": not a button: no \"Exec\".\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
         L"{33333333-2222-3333-4444-555555555555}\": not a button: \"Clsid\" is not a text (REG_SZ), \"Exec\" is not "
         L"a text (REG_SZ).\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\{44444444-2222-3333-4444-555555555555}\": "
         L"not a button: not under an Extensions key.\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\X\": not a button: not under an Extensions key.\r\n"
         L"\"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\Mine\": not a button: its "
         L"name is not a GUID.\r\n"
         L"\"HKEY_USERS\\S-1-5-21\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
         L"{66666666-2222-3333-4444-555555555555}\": not a button: under another Extensions key than the browser's."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring report = Import(c.content, ExitCode::NothingDone);
        EXPECT_EQ(report.rfind(L"The file \"" + out.path() + L"in.reg\" could not be imported:", 0), 0u) << report;
        EXPECT_NE(report.find(c.says), std::wstring::npos) << report;
        // A screenful of errors at most, then how many more.
        const auto lines = std::count(report.begin(), report.end(), L'\n') + 1;
        EXPECT_LE(lines, 22);
        if (c.many) {
            EXPECT_EQ(lines, 22);
            EXPECT_TRUE(report.ends_with(L"\r\n... and 4,980 more like these.")) << report.substr(0, 300);
        }
        EXPECT_TRUE(list.rows.empty());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Microsoft"));
    }
    const TransferReport missing = ImportButtons(list, stores, program.path(), out.path() + L"missing.reg");
    EXPECT_EQ(missing.outcome, ExitCode::NothingDone);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The command line's two functions: their outcomes and reports, and never a window.
TEST_F(TransferTest, CommandsAnswerTheirOutcomesWithoutAWindow) {
    const std::wstring file = out.path() + L"b.reg";
    struct Step {
        bool import;
        ExitCode outcome;
        std::wstring report;
    };
    const Step steps[] = {
        {false, ExitCode::NothingDone, L"There are no buttons to export."},
        {true, ExitCode::NothingDone, L"The file \"" + file + L"\" could not be imported:\r\ncannot open the file"},
    };
    for (const Step& step : steps) {
        const TransferReport report =
            step.import ? RunImportCommand(file, program.path()) : RunExportCommand(file, program.path());
        EXPECT_EQ(report.outcome, step.outcome);
        EXPECT_EQ(report.Text().substr(0, step.report.size()), step.report);
    }
    ASSERT_TRUE(Add(L"Pad", IconKind::Program, kNotepad));
    ASSERT_TRUE(Add(L"Web", IconKind::Library, L"https://example.com/"));
    const std::vector<std::wstring> before = State(list);
    EXPECT_EQ(RunExportCommand(file, program.path()).outcome, ExitCode::Done);
    // As "reg export": a file that is there is replaced only with "/y"; a folder that is not there,
    // or a folder for the file, is said so; "/" separates folders and a dot in a folder's name is
    // no extension.
    const std::string written = ReadFileBytes(file);
    std::wstring slashed = out.path() + L"back.up\\b";
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    ::CreateDirectoryW((out.path() + L"back.up").c_str(), nullptr);
    const struct {
        std::wstring file;
        bool replace;
        ExitCode outcome;
        std::wstring report;
    } exports[] = {
        {file, false, ExitCode::NothingDone,
         L"The file \"" + file + L"\" exists already; nothing was exported. Add /y to replace it."},
        {out.path() + L"no.folder\\b.reg", true, ExitCode::NothingDone,
         L"The buttons could not be exported: the folder \"" + out.path() + L"no.folder\" does not exist."},
        {out.path() + L"back.up", true, ExitCode::NothingDone,
         L"The buttons could not be exported: \"" + out.path() + L"back.up\" is a folder."},
        {file, true, ExitCode::Done, L"2 buttons were exported to \"" + file + L"\".\r\n"},
        {slashed, false, ExitCode::Done,
         L"2 buttons were exported to \"" + slashed + L"\".\r\nTheir icon and shortcut files were copied to \"" +
             out.path() + L"back.up\\b files\\\"."},
    };
    for (const auto& step : exports) {
        SCOPED_TRACE(::testing::PrintToString(step.file) + (step.replace ? " /y" : ""));
        const TransferReport report = RunExportCommand(step.file, program.path(), step.replace);
        EXPECT_EQ(report.outcome, step.outcome);
        EXPECT_EQ(report.Text().substr(0, step.report.size()), step.report);
        EXPECT_EQ(ReadFileBytes(file), written);
    }
    EXPECT_FALSE(ListFiles(out.path() + L"back.up\\b files\\").empty());
    const TransferReport again = RunImportCommand(file, program.path());
    EXPECT_EQ(again.outcome, ExitCode::Done);
    EXPECT_EQ(again.Text(), L"No button was added.\r\n\"Pad\": already listed.\r\n\"Web\": already listed.");
    EXPECT_EQ(State(list), before);
    int windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 0);
}

// The menu items: the dialogs they open, the summary box, and Cancel doing nothing.
TEST_F(TransferTest, MenuItemsAskForTheFileAndSumUp) {
    ScriptedEditorPrompts editor;
    mnuFileExport_Click(editor, list, FilePlaces::BesideProgram(program.path()));
    ASSERT_EQ(editor.boxes.shown.size(), 1u);
    EXPECT_EQ(editor.boxes.shown[0].text, L"There are no buttons to export.");
    ASSERT_TRUE(Add(L"Pad", IconKind::Library, kNotepad));
    mnuFileExport_Click(editor, list, FilePlaces::BesideProgram(program.path()));  // cancelled
    ASSERT_EQ(editor.saveDialogs.size(), 1u);
    EXPECT_EQ(editor.saveDialogs[0].title, L"Export Buttons");
    EXPECT_EQ(editor.saveDialogs[0].folder, DocumentsFolder() + L"|Velmora buttons.reg");
    const std::wstring file = out.path() + L"m.reg";
    editor.saveAnswers.push_back(file);
    mnuFileExport_Click(editor, list, FilePlaces::BesideProgram(program.path()));
    ASSERT_EQ(editor.boxes.shown.size(), 2u);
    EXPECT_EQ(editor.boxes.shown[1].title, L"Export Buttons");
    EXPECT_EQ(editor.boxes.shown[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    EXPECT_FALSE(mnuFileImport_Click(editor, list, stores, FilePlaces::BesideProgram(program.path())));  // cancelled
    operations.DeleteButton(0);
    editor.openAnswers.push_back(file);
    EXPECT_TRUE(mnuFileImport_Click(editor, list, stores, FilePlaces::BesideProgram(program.path())));
    EXPECT_EQ(editor.openDialogs.back().filter, kRegFilesFilter);
    ASSERT_EQ(editor.boxes.shown.size(), 3u);
    EXPECT_EQ(editor.boxes.shown[2].title, L"Import Buttons");
    EXPECT_EQ(editor.boxes.shown[2].text, L"1 button was added.");
    EXPECT_EQ(list.rows.size(), 1u);
}

// A record without "Icon" leaves the icon to its own entry (here a library pair), and a file named
// relative to the current folder finds the files folder beside it there, before anything else
// (never on the search path of the shell's calls).
TEST_F(TransferTest, RecordWithoutIconAndRelativeFileName) {
    const std::wstring notepad = RegPath(kNotepad);
    const std::string exe(notepad.begin(), notepad.end());
    const std::string text =
        "REGEDIT4\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
        "{11111111-2222-3333-4444-555555555555}]\r\n"
        "\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"ButtonText\"=\"Pad\"\r\n\"Exec\"=\"" +
        exe +
        "\"\r\n\"Icon\"=\"C:\\\\Old\\\\icons\\\\7gr.ico\"\r\n\"HotIcon\"=\"C:\\\\Old\\\\icons\\\\7.ico\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Corvale\\Velmora\\Added Buttons\\{11111111-2222-3333-4444-555555555555}]\r\n"
        "\"Program\"=\"" +
        exe +
        "\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
        "{22222222-2222-3333-4444-555555555555}]\r\n"
        "\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"ButtonText\"=\"Star\"\r\n\"Exec\"=\"" +
        exe + "\"\r\n\"Icon\"=\"C:\\\\Gone\\\\star.ico\"\r\n\"HotIcon\"=\"C:\\\\Gone\\\\star.ico\"\r\n";
    out.WriteFile(L"regs\\in.reg", text);
    out.WriteFile(L"regs\\in files\\icons\\star.ico", ReadFileBytes(ShippedLibraryIcon(L"17.ico")));
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(::SetCurrentDirectoryW(out.path().c_str()));
    const TransferReport report = ImportButtons(list, stores, program.path(), L"regs\\in.reg");
    ::SetCurrentDirectoryW(before);
    EXPECT_EQ(report.outcome, ExitCode::Done) << ::testing::PrintToString(report.Text());
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].button.iconKind, IconKind::Library);
    EXPECT_EQ(list.rows[0].button.libraryNumber, 7);
    EXPECT_EQ(list.rows[1].button.iconKind, IconKind::Disk);
    EXPECT_EQ(ReadFileBytes(list.rows[1].button.iconFile), ReadFileBytes(ShippedLibraryIcon(L"17.ico")));
}

}  // namespace
}  // namespace velmora
