// The main window's button commands without the window: "Add Button", "Update", "Delete
// Selected", "Edit Selected" and the checks of the fields before a button is written. Each runs
// its confirmations, checks, the operation on the list and the registry, the editor's reset and
// its notice, in their fixed order.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "buttons/button_list.h"
#include "buttons/button_operations.h"
#include "common/prompts.h"
#include "mainwindow/editor_fields.h"
#include "settings/reg_settings.h"

#include <functional>

namespace velmora {

// Where the keyboard focus goes after a check failed.
struct FocusRequest {
    TextField field = TextField::Text1;
    bool selectAll = false;
};

class EditorCommands {
public:
    EditorCommands(EditorFields& fields, ButtonOperations& operations, ButtonList& list, EditorPrompts& prompts,
                   CRegSettings& preferences, std::wstring programFolder)
        : fields_(fields),
          operations_(operations),
          list_(list),
          prompts_(prompts),
          preferences_(preferences),
          programFolder_(std::move(programFolder)) {}

    // Checks the fields before a button is written; with checkFullList (adding) a full list
    // fails too. Each failure shows its message and asks for the focus. Answers "ok" or "nope".
    std::wstring ValidateNewButton(bool checkFullList);

    // Each answers whether the list changed. `row` is the current row (from 0), or -1 for none:
    // then the command does nothing at all.
    bool Command2_Click();         // "Add Button"
    bool Command4_Click(int row);  // "Update"
    bool Command8_Click(int row);  // "Delete Selected", and "&Delete" of the list's menu
    void Command7_Click(int row);  // "Edit Selected", "&Edit" and a double click on a row

    // Called when a check wants the focus in a field.
    std::function<void(const FocusRequest&)> focus;
    // Called as soon as the list changed, before the editor is reset and a notice shown, with
    // the row (from 0) to make the current one: the new, the updated, or the one after the deleted.
    std::function<void(int current)> listChanged;

private:
    bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(list_.rows.size()); }

    EditorFields& fields_;
    ButtonOperations& operations_;
    ButtonList& list_;
    EditorPrompts& prompts_;
    CRegSettings& preferences_;  // the notice flags
    std::wstring programFolder_;
};

}  // namespace velmora
