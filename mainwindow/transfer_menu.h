// The File menu's "Ex&port Buttons..." and "&Import Buttons...": the file dialog, the export or
// import itself (transfer/), and its summary in one box. The box, the dialogs and every message
// go through EditorPrompts, so that tests script them.
#pragma once

#include "buttons/button_list.h"
#include "buttons/file_places.h"
#include "mainwindow/editor_prompts.h"
#include "settings/registry_stores.h"

#include <functional>
#include <string>

namespace velmora {

// The user's documents folder, where the dialogs open; empty when it cannot be found.
std::wstring DocumentsFolder();

// "Ex&port Buttons...": the save dialog proposes "Velmora buttons.reg" in the documents; the
// export's report shows in an "Export Buttons" box. Cancel does nothing.
void mnuFileExport_Click(EditorPrompts& prompts, const ButtonList& list, const FilePlaces& places);

// "&Import Buttons...": the open dialog for a ".reg" file; the buttons go into the list through
// "Add Button"'s operation, its messages into the report, which shows in an "Import Buttons" box.
// When the list changed, listChanged runs first, so that the box stands over the list as it is
// now. Answers whether the list changed.
bool mnuFileImport_Click(EditorPrompts& prompts, ButtonList& list, RegistryStores& stores, const FilePlaces& places,
                         const std::function<void()>& listChanged = {});

}  // namespace velmora
