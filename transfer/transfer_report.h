// What an export or an import tells the user: its lines, shown in the editor's summary box and
// written by the command line, and the exit code the command line answers.
#pragma once

#include "common/prompts.h"

#include <string>
#include <vector>

namespace velmora {

enum TransferOutcome : int {
    kTransferDone = 0,         // everything done (an import: every button added or already there)
    kTransferDoneInPart = 1,   // the lines say what was skipped or refused
    kTransferNothingDone = 2,  // an unreadable or invalid file, no buttons, nothing written or added
};

struct TransferReport {
    int outcome = kTransferDone;
    std::vector<std::wstring> lines;

    // The lines, each ending in CR LF but the last.
    std::wstring Text() const;
    // The summary box's icon for the outcome: information, exclamation or stop.
    UINT BoxIcon() const;
};

// Message boxes answered without a window, their texts kept: a warning that asks OK or Cancel is
// answered OK (the file asked for what it warns about), a question Yes.
class CollectingPrompts : public Prompts {
public:
    int Message(const std::wstring& text, const std::wstring& title, UINT style) override;
    std::vector<std::wstring> texts;
};

// "1 button", "3 buttons".
std::wstring CountOfButtons(size_t count);

}  // namespace velmora
