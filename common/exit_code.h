// What a command for scripts tells the script that ran it, as the program's exit code: the same
// four answers for every switch of vlm.
#pragma once

namespace velmora {

enum class ExitCode : int {
    Done = 0,         // everything done (an import: every button added or already there)
    DoneInPart = 1,   // done in part; the report says what was skipped, refused or still to do
    NothingDone = 2,  // nothing done: bad arguments, an unreadable or invalid file, no buttons
    EditorOpen = 3,   // refused: Velmora is open, or another command is changing the buttons
};

}  // namespace velmora
