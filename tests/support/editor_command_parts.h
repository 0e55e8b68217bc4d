// The editor's button commands without their window, as the tests drive them: a program folder
// with the library icons, scripted prompts, the registry stores, the list, the fields, the
// operations and the commands, and the list's images made again whenever the list changed, wired
// as the main window wires them.
#pragma once

#include "mainwindow/button_images.h"
#include "mainwindow/editor_commands.h"
#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/temp_folder.h"

namespace velmora::testing {

struct EditorCommandParts {
    EditorCommandParts() {
        CopyLibraryIcons(folder.path());
        images.LoadLibraryIcons(folder.path());
        commands.listChanged = [this](int) { rowImages = images.Place(list.rows); };
    }

    TempFolder folder;
    ScriptedEditorPrompts prompts;
    RegistryStores stores;
    ButtonList list;
    EditorFields fields{prompts, stores.preferences, folder.path()};
    ButtonOperations operations{list, stores, prompts, folder.path()};
    EditorCommands commands{fields, operations, list, prompts, stores.preferences, folder.path()};
    ButtonImages images;
    std::vector<long long> rowImages;  // the image each row shows
};

}  // namespace velmora::testing
