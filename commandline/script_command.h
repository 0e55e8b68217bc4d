// The editor's command line for scripts: "vlm /export FILE", "vlm /import FILE", "vlm /check",
// "vlm /repair". A switch is read before any window exists, runs without a window or a box, writes
// its report to standard output and answers an exit code.
#pragma once

#include "commandline/script_report.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora {

// What the exit code tells a script.
enum ScriptExitCode : int {
    kScriptDone = 0,         // everything done
    kScriptDoneInPart = 1,   // done in part; the report says what was skipped or refused
    kScriptNothingDone = 2,  // nothing done: bad arguments, an unreadable or invalid file
    kScriptEditorOpen = 3,   // refused beside an open editor
};

// Runs one switch: its FILE (empty for a switch without one) and where to write the report.
// Answers a ScriptExitCode.
using ScriptHandler = std::function<int(const std::wstring& file, ScriptReport& report)>;

struct ScriptSwitch {
    std::wstring name;         // in lower case, without the "/" or "-"
    bool takesFile = false;    // takes exactly one FILE; else no argument at all
    std::wstring description;  // one line for the usage
    ScriptHandler run;
};

// What a command line asks for.
struct ScriptCommand {
    enum class Kind {
        Editor,        // no switch: the editor starts and fills its fields from the file named, as ever
        Run,           // a switch with the right arguments
        BadArguments,  // a switch used wrongly, or an unknown one
    };
    Kind kind = Kind::Editor;
    std::wstring name;     // the switch's name from the table (Run; BadArguments when known)
    std::wstring file;     // its FILE (Run)
    std::wstring problem;  // what is wrong (BadArguments), one line
};

// Reads the command line after the program's name, split as CommandLineToArgvW splits it.
ScriptCommand ParseScriptCommand(const std::wstring& arguments, const std::vector<ScriptSwitch>& switches);

// The usage lines the report shows after bad arguments.
std::wstring ScriptUsage(const std::vector<ScriptSwitch>& switches);

// Runs a Run or BadArguments command (not Editor): bad arguments answer kScriptNothingDone with the
// problem and the usage; an open editor answers kScriptEditorOpen; else the switch's handler runs.
int RunScriptCommand(const ScriptCommand& command, const std::vector<ScriptSwitch>& switches, ScriptReport& report,
                     const std::function<bool()>& editorIsOpen);

}  // namespace velmora
