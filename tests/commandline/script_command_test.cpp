#include "commandline/script_command.h"

#include "commandline/vlm_switches.h"
#include "common/single_instance.h"

#include "tests/support/button_keys.h"
#include "tests/support/registry_peek.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_report.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace velmora {
namespace {

using Kind = ScriptCommand::Kind;

TEST(ScriptCommandTest, TellsSwitchesFromAFileForTheEditor) {
    // The command line after the program's name; what it asks for, and a piece of the problem.
    const struct {
        std::wstring line;
        Kind kind;
        std::wstring name = {}, file = {}, problem = {};
        bool replace = false;
    } cases[] = {
        {L"", Kind::Editor},
        {L"   ", Kind::Editor},
        {L"C:\\path\\file.exe", Kind::Editor},
        {L"\"C:\\a b\\x.exe\"", Kind::Editor},
        {L"C:\\a b\\x.exe", Kind::Editor},
        {L"\"C:\\tools\\-check\"", Kind::Editor},
        {L"-n.exe", Kind::Editor},  // "-name" that is no switch: a file's name
        {L"-", Kind::Editor},
        {L"--check", Kind::Editor},
        {L"-y", Kind::Editor},
        {L"/check", Kind::Run, L"check"},
        {L"  -CHECK  ", Kind::Run, L"check"},
        {L"/export \"C:\\a b\\out.reg\"", Kind::Run, L"export", L"C:\\a b\\out.reg"},
        {L"-IMPORT x.reg", Kind::Run, L"import", L"x.reg"},
        {L"/export -x.reg", Kind::Run, L"export", L"-x.reg"},
        {L"/import \"C:\\\u00e9t\u00e9\\\u4e2d.reg\"", Kind::Run, L"import", L"C:\\\u00e9t\u00e9\\\u4e2d.reg"},
        {L"/export C:/back.up/b /y", Kind::Run, L"export", L"C:/back.up/b", L"", true},
        {L"-export -Y x.reg", Kind::Run, L"export", L"x.reg", L"", true},
        {L"/?", Kind::Help},
        {L"-HELP", Kind::Help},
        {L"/export /?", Kind::Help},
        {L"/bogus /help", Kind::Help},
        {L"/export", Kind::BadArguments, L"export", L"", L"/export needs a FILE."},
        {L"/export /y", Kind::BadArguments, L"export", L"", L"/export needs a FILE."},
        {L"/import \"\"", Kind::BadArguments, L"import", L"", L"/import needs a FILE."},
        {L"/import \" \"", Kind::BadArguments, L"import", L"", L"/import needs a FILE."},
        {L"/export a.reg b.reg", Kind::BadArguments, L"export", L"", L"too many arguments: b.reg"},
        {L"/import a.reg /y", Kind::BadArguments, L"import", L"", L"/import takes one FILE; too many arguments: /y"},
        {L"/check now", Kind::BadArguments, L"check", L"", L"/check takes no argument: now"},
        {L"/check -repair", Kind::BadArguments, L"check", L"", L"Only one switch at a time: -repair"},
        {L"/bogus", Kind::BadArguments, L"", L"", L"Unknown switch: /bogus"},
        {L"/checks", Kind::BadArguments, L"", L"", L"Unknown switch: /checks"},
        {L"/", Kind::BadArguments, L"", L"", L"Unknown switch: /"},
        {L"/y", Kind::BadArguments, L"", L"", L"Unknown switch: /y"},
        {L"x.reg /IMPORT", Kind::BadArguments, L"", L"", L"The switch /IMPORT must come first."},
    };
    const std::vector<ScriptSwitch> switches = VlmSwitches();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.line));
        const ScriptCommand command = ParseScriptCommand(c.line, switches);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.name, c.name);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.replace, c.replace);
        EXPECT_NE(command.problem.find(c.problem), std::wstring::npos) << command.problem;
        EXPECT_EQ(command.problem.empty(), c.problem.empty());
    }
    // vlm.com takes its arguments from its whole command line, as vlm.exe is given them.
    const std::pair<std::wstring, std::wstring> lines[] = {
        {L"vlm /check", L"/check"},
        {L"\"C:\\Program Files\\Velmora\\vlm.com\"  /export \"a b.reg\" ", L"/export \"a b.reg\" "},
        {L"\"C:\\a\"b /x", L"b /x"},
        {L"C:\\Velmora\\vlm.com\t\"C:\\x y\\z.exe\"", L"\"C:\\x y\\z.exe\""},
        {L"vlm", L""},
        {L"\"vlm", L""},
    };
    for (const auto& [line, arguments] : lines) EXPECT_EQ(ArgumentsOfCommandLine(line), arguments) << line;
}

TEST(ScriptCommandTest, AnswersTheExitCodeAndTheReport) {
    std::vector<std::wstring> filesRun;
    ExitCode answer = ExitCode::Done;
    const ScriptHandler handler = [&](const ScriptCommand& command, ScriptReport& report) {
        filesRun.push_back(command.file);
        report.Line(L"ran");
        return answer;
    };
    const std::vector<ScriptSwitch> switches = {
        {.name = L"export", .takesFile = true, .description = L"Exports.", .run = handler},
        {.name = L"repair", .writes = true, .description = L"Repairs.", .run = handler}};
    const std::wstring usage =
        L"Usage: vlm SWITCH, one of:\n  /export FILE  Exports.\n  /repair       Repairs.\n"
        L"  /?            Shows this text (also /help).\n";
    // The command line, whether the editor is open, whether another command holds the buttons, what
    // the handler answers; then the exit code, the report and whether the handler ran.
    const struct {
        std::wstring line;
        bool open;
        bool busy;
        ExitCode answer;
        ExitCode exit;
        std::wstring report;
        bool ran = false;
    } cases[] = {
        {L"/repair", false, false, ExitCode::Done, ExitCode::Done, L"ran\n", true},
        {L"/repair", false, false, ExitCode::DoneInPart, ExitCode::DoneInPart, L"ran\n", true},
        {L"/export a.reg", false, false, ExitCode::NothingDone, ExitCode::NothingDone, L"ran\n", true},
        // A command that writes is refused beside the editor; one that reads runs.
        {L"/repair", true, false, ExitCode::Done, ExitCode::EditorOpen,
         L"Velmora is open. Close it and run the command again.\n"},
        {L"/export a.reg", true, false, ExitCode::Done, ExitCode::Done, L"ran\n", true},
        // Another command holds the buttons past the wait: neither a writer nor a reader runs.
        {L"/repair", false, true, ExitCode::Done, ExitCode::EditorOpen, std::wstring(kCommandBusyText) + L"\n"},
        {L"/export a.reg", false, true, ExitCode::Done, ExitCode::EditorOpen, std::wstring(kCommandBusyText) + L"\n"},
        // Bad arguments come first: the usage helps more than "close the editor".
        {L"/export", true, false, ExitCode::Done, ExitCode::NothingDone, L"/export needs a FILE.\n" + usage},
        {L"/bogus", false, false, ExitCode::Done, ExitCode::NothingDone, L"Unknown switch: /bogus\n" + usage},
        // What the user typed is shown printable and cut.
        {L"/bogus\x1B[2J" + std::wstring(3000, L'x'), false, false, ExitCode::Done, ExitCode::NothingDone,
         L"Unknown switch: /bogus\\x1B[2J" + std::wstring(247, L'x') + L"...\n" + usage},
        // The usage asked for, beside an open editor too.
        {L"/?", true, false, ExitCode::NothingDone, ExitCode::Done, usage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.line) + (c.open ? " open" : "") + (c.busy ? " busy" : ""));
        filesRun.clear();
        answer = c.answer;
        testing::TextReport report;
        // The lock is a thread's own: another thread holds it, as another command would.
        std::promise<void> taken, done;
        std::thread holder;
        if (c.busy) {
            holder = std::thread([&] {
                const ButtonsLock other(0);
                taken.set_value();
                done.get_future().wait();
            });
            taken.get_future().wait();
        }
        const ExitCode exit = RunScriptCommand(
            ParseScriptCommand(c.line, switches), switches, report, [&] { return c.open; }, 50);
        if (c.busy) {
            done.set_value();
            holder.join();
        }
        EXPECT_EQ(static_cast<int>(exit), static_cast<int>(c.exit));
        EXPECT_EQ(report.text.substr(0, c.report.size()), c.report);
        EXPECT_EQ(filesRun, c.ran ? std::vector<std::wstring>{c.line == L"/repair" ? L"" : L"a.reg"}
                                  : std::vector<std::wstring>{});
    }
}

// What reaches the console or a redirection: each line of a text ended by CR LF whatever ended it,
// and no other control character as it is, so that no caption forges a line or moves the cursor.
TEST(ScriptCommandTest, ConsoleReportWritesNoControlCharacters) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"one", "one\r\n"},
        {L"a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd\r\n"},
        {L"x\x1B[2Jy\tz\x7F\x85\x01", "x\\x1B[2Jy\\tz\\x7F\\x85\\x01\r\n"},
        {L"\u202Eexe.txt \u2028 C:\\\u00C9t\u00E9", "\\u202Eexe.txt \\u2028 C:\\\xC3\x89t\xC3\xA9\r\n"},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(::testing::PrintToString(text));
        HANDLE read = nullptr, write = nullptr;
        ASSERT_TRUE(::CreatePipe(&read, &write, nullptr, 1 << 16));
        ConsoleReport(write).Line(text);
        ::CloseHandle(write);
        std::string got(1024, '\0');
        DWORD size = 0;
        ::ReadFile(read, got.data(), static_cast<DWORD>(got.size()), &size, nullptr);
        ::CloseHandle(read);
        EXPECT_EQ(got.substr(0, size), bytes);
    }
}

// What "vlm /?" shows: every switch of the table, each of which runs code of its own.
TEST(ScriptCommandTest, TheUsageNamesEverySwitch) {
    const std::vector<ScriptSwitch> switches = VlmSwitches();
    EXPECT_EQ(ScriptUsage(switches),
              L"Usage: vlm SWITCH, one of:\n"
              L"  /export FILE [/y]  Writes the buttons to the registry file FILE; /y replaces a FILE that exists.\n"
              L"  /import FILE       Adds the buttons in the registry file FILE.\n"
              L"  /check             Lists what is broken in the buttons.\n"
              L"  /repair            Repairs what /check finds broken.\n"
              L"  /?                 Shows this text (also /help).\n"
              L"Switches may be written in any case, and with \"-\" for \"/\".\n"
              L"Exit code: 0 all done, 1 done in part, 2 nothing done, 3 Velmora is open or busy.");
    for (const ScriptSwitch& entry : switches) EXPECT_TRUE(entry.run) << entry.name;
}

// Whether the editor is open, asked from a thread that is not the editor's (whose own look would
// succeed: a thread may take a mutex it holds again).
bool OpenSeenFromElsewhere() {
    bool open = false;
    std::thread([&open] { open = EditorIsOpen(); }).join();
    return open;
}

// Two imports of the same five buttons started together, again and again: one waits for the other,
// then finds its buttons listed already. The slots end with the five buttons, each entry beside its
// own record, and the check finds nothing; both imports say they did all they had to.
std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

TEST(ScriptCommandTest, TwoImportsAtOnceTakeTurns) {
    std::string file = "REGEDIT4\r\n";
    const wchar_t* programs[] = {L"notepad.exe", L"cmd.exe", L"reg.exe", L"xcopy.exe", L"hostname.exe"};
    for (int n = 0; n < 5; ++n) {
        const std::string program = Narrow(testing::SystemFile(programs[n]));
        std::string escaped;
        for (char c : program) escaped += c == '\\' ? "\\\\" : std::string(1, c);
        file +=
            "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
            "{00000000-0000-0000-0000-00000000000" +
            std::to_string(n) + "}]\r\n\"Clsid\"=\"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}\"\r\n\"Exec\"=\"" + escaped +
            "\"\r\n\"Icon\"=\"3gr.ico\"\r\n\"HotIcon\"=\"3.ico\"\r\n\"ButtonText\"=\"Tool " + std::to_string(n) +
            "\"\r\n";
    }
    testing::TempFolder folder;
    const std::wstring reg = folder.WriteFile(L"five.reg", file);
    const std::vector<ScriptSwitch> switches = VlmSwitches();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvale");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer");
        ExitCode exits[2] = {};
        std::wstring reports[2];
        std::thread imports[2];
        for (int i = 0; i < 2; ++i) {
            imports[i] = std::thread([&, i] {
                testing::TextReport report;
                exits[i] = RunScriptCommand(ParseScriptCommand(L"/import \"" + reg + L"\"", switches), switches, report,
                                            [] { return false; });
                reports[i] = report.text;
            });
        }
        for (std::thread& import : imports) import.join();
        EXPECT_EQ(exits[0], ExitCode::Done) << ::testing::PrintToString(reports[0]);
        EXPECT_EQ(exits[1], ExitCode::Done) << ::testing::PrintToString(reports[1]);
        EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::RecordKey(-1), L"Count"), L"5");
        for (int slot = 0; slot < 5; ++slot) {
            EXPECT_EQ(testing::ReadString(HKEY_CURRENT_USER, testing::EntryKey(slot), L"ButtonText"),
                      testing::ReadString(HKEY_CURRENT_USER, testing::RecordKey(slot), L"ButtonText"));
        }
        EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, testing::EntryKey(5)));
        testing::TextReport check;
        EXPECT_EQ(RunScriptCommand(ParseScriptCommand(L"/check", switches), switches, check, [] { return false; }),
                  ExitCode::Done)
            << ::testing::PrintToString(check.text);
    }
}

TEST(SingleInstanceTest, OnlyARunningEditorCountsAsOpen) {
    ASSERT_FALSE(EditorIsOpen());
    {
        SingleInstance editor;
        EXPECT_FALSE(editor.AnotherIsRunning());
        EXPECT_TRUE(OpenSeenFromElsewhere());
        bool secondSawFirst = false;
        std::thread([&secondSawFirst] { secondSawFirst = SingleInstance().AnotherIsRunning(); }).join();
        EXPECT_TRUE(secondSawFirst);
    }
    EXPECT_FALSE(OpenSeenFromElsewhere());
    // A handle to the name that owns nothing (a look in progress, a leftover) is no editor: an editor
    // starts, and a look afterwards sees that editor.
    HANDLE look = ::CreateMutexW(nullptr, FALSE, kEditorMutexName);
    ASSERT_NE(look, nullptr);
    EXPECT_FALSE(EditorIsOpen());
    {
        SingleInstance editor;
        EXPECT_FALSE(editor.AnotherIsRunning());
        EXPECT_TRUE(OpenSeenFromElsewhere());
    }
    ::CloseHandle(look);
    EXPECT_FALSE(EditorIsOpen());
}

}  // namespace
}  // namespace velmora
