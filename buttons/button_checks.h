// The checks a button passes before "Add Button" or "Update" writes it, in their fixed order, with
// the messages the user gets. The editor runs them on its fields, an import on each button it
// reads, so that a button reaches the registry through the same checks whichever way it came.
#pragma once

#include "buttons/button_operations.h"
#include "common/prompts.h"

#include <optional>
#include <string>

namespace velmora {

// The field a failed check points at.
enum class DraftField { FileToLaunch, ButtonText, MenuStatusBar, MenuText, Parameters };

// The checks, by name, in their order. None: every check passed.
enum class DraftRefusal {
    None,
    NoFileToLaunch,
    NoProgramIcon,  // "Use Program Icon" found no icon: the box goes unticked
    ParametersForAddress,
    LibraryIconMissing,
    NoButtonText,
    NoMenuText,
    NoStatusBarText,  // the user chose Cancel at the warning
};

// What the checks came to: ok() (and true) when the button may be written; otherwise the check
// that refused it and where the focus goes.
struct [[nodiscard]] DraftCheck {
    DraftRefusal refusal = DraftRefusal::None;
    std::optional<DraftField> focus;  // none when no field can mend it (a library icon file missing)
    bool selectAll = false;           // the field's text is selected, to be typed over

    bool ok() const { return refusal == DraftRefusal::None; }
    explicit operator bool() const { return ok(); }
};

// Runs the checks on a draft: a file to launch, a program icon when it is asked for
// (programIconTaken: the editor took the icon of the draft's file to launch), no parameters for
// a web address, the library icon's two files, a button text and a menu text. Each failure shows
// its message through prompts and answers the refusal. An empty status-bar text asks "Warning"
// (OK/Cancel); Cancel is a refusal too.
DraftCheck CheckButtonDraft(const ButtonDraft& draft, bool programIconTaken, const std::wstring& programFolder,
                            Prompts& prompts);

}  // namespace velmora
