// The command line for scripts, of the editor and of its console companion: "vlm /export FILE [/y]",
// "vlm /import FILE", "vlm /check", "vlm /repair", "vlm /?". A switch is read before any window
// exists, runs without a window or a box, writes its report to standard output and answers an exit
// code.
#pragma once

#include "commandline/script_report.h"
#include "common/buttons_lock.h"
#include "common/exit_code.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora {

// What a command line asks for.
struct ScriptCommand {
    enum class Kind {
        Editor,        // no switch: the editor starts and fills its fields from the file named, as ever
        Run,           // a switch with the right arguments
        Help,          // "/?" or "/help": the usage
        BadArguments,  // a switch used wrongly, or an unknown one
    };
    Kind kind = Kind::Editor;
    std::wstring name;     // the switch's name from the table (Run; BadArguments when known)
    std::wstring file;     // its FILE (Run)
    bool replace = false;  // "/y" was given (Run, a switch that takes it)
    std::wstring problem;  // what is wrong (BadArguments), one line
};

// Runs one switch with its arguments and writes its report.
using ScriptHandler = std::function<ExitCode(const ScriptCommand& command, ScriptReport& report)>;

struct ScriptSwitch {
    std::wstring name;          // in lower case, without the "/" or "-"
    bool takesFile = false;     // takes exactly one FILE; else no argument at all
    bool takesReplace = false;  // takes "/y" too, before or after its FILE
    bool writes = false;        // changes the buttons: refused beside an open editor, whose list would go stale
    std::wstring description;   // one line for the usage
    ScriptHandler run;
};

// Reads the command line after the program's name, split as CommandLineToArgvW splits it.
ScriptCommand ParseScriptCommand(const std::wstring& arguments, const std::vector<ScriptSwitch>& switches);

// The arguments in a whole command line (GetCommandLineW's): what follows the program's name and
// the blanks after it, as a window program's wWinMain is given them.
std::wstring ArgumentsOfCommandLine(const std::wstring& commandLine);

// The usage lines: "/?" shows them, and the report after bad arguments.
std::wstring ScriptUsage(const std::vector<ScriptSwitch>& switches);

// Runs a command that is not Editor: help shows the usage and answers Done; bad arguments answer
// NothingDone with the problem and the usage. Else the switch's handler runs holding the buttons'
// lock for its whole run, waiting up to lockWait for another command or the editor's operation to
// finish (EditorOpen when it does not); a switch that writes is refused beside an open editor
// (EditorOpen).
ExitCode RunScriptCommand(const ScriptCommand& command, const std::vector<ScriptSwitch>& switches, ScriptReport& report,
                          const std::function<bool()>& editorIsOpen, DWORD lockWait = kCommandLockWait);

// The line of a command that did not get the buttons' lock in time.
inline constexpr const wchar_t* kCommandBusyText =
    L"Another Velmora command is changing the buttons. Run this one again when it has finished.";

}  // namespace velmora
