// The check of the buttons: finds what is broken in the browser entries, the records, the count and
// the buttons' files, reading only. A check leaves every key and file as it was.
#pragma once

#include "checkup/findings.h"
#include "checkup/stored_buttons.h"
#include "settings/registry_api.h"

#include <string>

namespace velmora {

// Checks the buttons Velmora lists, its 20 slots and the icons and shortcuts folders of every place
// of its own files. places needs no test of the program's folder (OwnFilePlaces).
ButtonCheck CheckButtons(RegistryApi& registry, const FilePlaces& places);
// The same for a program in programFolder (ending in a backslash), with this machine's places.
ButtonCheck CheckButtons(RegistryApi& registry, const std::wstring& programFolder);

// The same on what was read already.
ButtonCheck CheckStoredButtons(const StoredButtons& stored, const FilePlaces& places);

// Whether a file to launch is a path that a check looks for: a full path on a drive or a share.
// Web addresses, bare program names and anything else are not checked.
bool IsCheckedPath(const std::wstring& fileToLaunch);

// The name a finding gives a button: its button text, or without one its file to launch.
std::wstring ButtonName(const Button& button);

}  // namespace velmora
