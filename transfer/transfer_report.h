// What an export or an import tells the user: its lines, shown in the editor's summary box and
// written by the command line, and the exit code the command line answers.
#pragma once

#include "common/exit_code.h"
#include "common/prompts.h"

#include <string>
#include <vector>

namespace velmora {

struct TransferReport {
    ExitCode outcome = ExitCode::Done;
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
