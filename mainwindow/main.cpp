// vlm: the editor of the buttons Velmora adds to the browser's toolbar.
#include "commandline/vlm_switches.h"
#include "common/module_info.h"
#include "common/single_instance.h"
#include "common/window_base.h"
#include "mainwindow/main_window.h"
#include "mainwindow/window_prompts.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

namespace {

// The program file's name without its extension.
std::wstring ProgramName() {
    std::wstring path = velmora::ProgramPath();
    path = path.substr(path.find_last_of(L'\\') + 1);
    const auto dot = path.find_last_of(L'.');
    return dot == std::wstring::npos ? path : path.substr(0, dot);
}

// The editor's window, filled from the file the command line names, if any, until it closes.
int RunEditor(const wchar_t* commandLine, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    velmora::SingleInstance instance;
    velmora::MainWindowSetup setup;
    setup.programFolder = velmora::ProgramFolder();
    setup.programName = ProgramName();
    setup.commandLine = commandLine ? commandLine : L"";
    setup.anotherInstanceRunning = [&instance] { return instance.AnotherIsRunning(); };
    setup.quitOnClose = true;

    velmora::WindowPrompts prompts(velmora::SystemRegistry(), setup.programFolder, setup.programName);
    velmora::MainWindow window(prompts);
    HWND hwnd = window.Create(std::move(setup));
    if (!hwnd) return 0;
    window.Show(showCommand);
    return velmora::RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    // OLE for drag and drop, the shell's path completion and shortcut files (the switches' too).
    const bool oleStarted = SUCCEEDED(::OleInitialize(nullptr));

    int exitCode = 0;
    const std::vector<velmora::ScriptSwitch> switches = velmora::VlmSwitches();
    const velmora::ScriptCommand command = velmora::ParseScriptCommand(commandLine ? commandLine : L"", switches);
    if (command.kind == velmora::ScriptCommand::Kind::Editor) {
        exitCode = RunEditor(commandLine, showCommand);
    } else {
        // A switch for a script: no window, no box; the report goes to standard output.
        velmora::ConsoleReport report;
        exitCode = static_cast<int>(velmora::RunScriptCommand(command, switches, report, velmora::EditorIsOpen));
    }
    if (oleStarted) ::OleUninitialize();
    return exitCode;
}
