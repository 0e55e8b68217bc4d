// The list of added buttons as a plain model: row p (counting from 1) is the button in slot
// p - 1. The main window shows it; the button operations change it together with the registry.
#pragma once

#include "buttons/button.h"

#include <string>
#include <vector>

namespace velmora {

// A row of the list: the button as it is listed. The window makes the row's picture from it.
struct ButtonRow {
    Button button;

    // The list's columns by number: 0 the file to launch, 1 the button text, 2 the menu text,
    // 3 the status-bar text, 4 the scope, 5 the parameters, 6 "disk" for an icon chosen on disk,
    // 7 the shortcut file.
    std::wstring Column(int index) const;
};

struct ButtonList {
    std::vector<ButtonRow> rows;
};

}  // namespace velmora
