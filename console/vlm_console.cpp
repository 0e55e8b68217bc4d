// vlm.com: the editor's console companion. A console waits for a console program, shows what it
// writes and takes its exit code, which a window program such as vlm.exe gets none of from an
// interactive cmd or PowerShell. cmd and PowerShell run "vlm" as vlm.com, found before vlm.exe.
//
// With a switch (or "/?", or bad arguments) it runs the switch itself, through the same table as
// vlm.exe, and answers its exit code: the switches' code is the table's, and linking it once more
// costs less than a second process whose console output and exit code would have to be passed
// through. Without a switch it starts the editor, vlm.exe beside it, with the same arguments, and
// returns at once.
#include "commandline/vlm_switches.h"
#include "common/module_info.h"
#include "common/single_instance.h"
#include "common/unique_handles.h"

#include <windows.h>

namespace velmora {
namespace {

// "The system cannot find the file specified. (error 2)"; the number alone without a sentence.
std::wstring ErrorText(DWORD error) {
    wchar_t buffer[512] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                    buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
        --length;
    return (length > 0 ? std::wstring(buffer, length) + L" " : L"") + L"(error " + std::to_wstring(error) + L")";
}

// Starts vlm.exe beside this program with the arguments given, and does not wait for it.
ExitCode StartEditor(const std::wstring& arguments) {
    const std::wstring program = ProgramFolder() + L"vlm.exe";
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        const DWORD error = ::GetLastError();
        ConsoleReport().Line(L"The editor \"" + program + L"\" could not be started: " + ErrorText(error));
        return ExitCode::NothingDone;
    }
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle started(process.hProcess);
    return ExitCode::Done;
}

}  // namespace
}  // namespace velmora

int wmain(int, wchar_t**) {
    using namespace velmora;
    const std::wstring arguments = ArgumentsOfCommandLine(::GetCommandLineW());
    const std::vector<ScriptSwitch> switches = VlmSwitches();
    const ScriptCommand command = ParseScriptCommand(arguments, switches);
    if (command.kind == ScriptCommand::Kind::Editor) return static_cast<int>(StartEditor(arguments));

    // A switch runs to its end, as in vlm.exe, which no Ctrl+C reaches: stopped halfway, a repair or
    // an import would leave its writes half done.
    ::SetConsoleCtrlHandler(nullptr, TRUE);
    // Shortcut files and the shell's icons go through COM.
    ComApartment apartment;
    ConsoleReport report;
    return static_cast<int>(RunScriptCommand(command, switches, report, EditorIsOpen));
}
