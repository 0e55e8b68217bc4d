// The main window's menu bar ("&File", "&Help") and the list's hidden pop-up menu ("&Edit",
// "&Delete"), with the identifiers of their items.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

namespace velmora {

enum MenuId : UINT {
    ID_MNUFILEIE = 2001,  // "&Open New IE Window"
    ID_MNUFILEEXIT,       // "&Exit"
    ID_MNUHELPTOPICS,     // "&Contents"
    ID_MNUHELPTUT,        // "&Interactive Tutorial"
    ID_MNUHELPTIPS,       // "Tip of the Day"
    ID_MNUHELPTIPSSU,     // "&Show Tips at Startup", ticked when the window is made
    ID_MNUHELPFREESOFT,   // "&More Free Software"
    ID_MNUHELPABT,        // "&About..."
    ID_POPED,             // "&Edit"
    ID_POPDEL,            // "&Delete"
    ID_MNUFILEEXPORT,     // "Ex&port Buttons..."
    ID_MNUFILEIMPORT,     // "&Import Buttons..."
    ID_MNUFILECHECK,      // "&Check Buttons..."
};

// The menu bar, for the window to own.
UniqueHmenu CreateMainMenu();

// The list's pop-up menu, "&Edit" its default item.
UniqueHmenu CreateListPopupMenu();

}  // namespace velmora
