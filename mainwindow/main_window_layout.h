// The main window's controls: their identifiers, and their places in twips. A control inside a
// frame is placed relative to the frame's top-left corner.
#pragma once

#include "common/window_base.h"

namespace velmora::layout {

enum ControlId : int {
    IDC_FRAME2 = 1001,  // "Currently Added Buttons:"
    IDC_LISTVIEW1,      // the list of added buttons
    IDC_COMMAND7,       // "Edit Selected"
    IDC_COMMAND8,       // "Delete Selected"
    IDC_FRAME1,         // "Button Properties:"
    IDC_FRAME5,         // "File to Launch:"
    IDC_TEXT1,          // the file to launch
    IDC_COMMAND1,       // "..."
    IDC_LABEL1,         // "Command Line Parameters:"
    IDC_TEXT5,          // the parameters
    IDC_ICOFRM,         // "Icon:"
    IDC_CHECK1,         // "Use Program Icon"
    IDC_COMMAND3,       // "Select Icon from Library"
    IDC_COMMAND5,       // "Select Icon from Disk"
    IDC_FRAME4,         // "Selected Icon:"
    IDC_IMAGE1,         // the selected icon
    IDC_FRAME6,         // "Text:"
    IDC_CHECK3,         // "Derive from Filename"
    IDC_CHECK2,         // "Synch All"
    IDC_LABEL2,         // "Button Text:"
    IDC_TEXT2,          // the button text
    IDC_LABEL4,         // "Menu Text:"
    IDC_TEXT4,          // the menu text
    IDC_LABEL3,         // "Menu Status Bar Text:"
    IDC_TEXT3,          // the status-bar text
    IDC_FRAME3,         // "Scope:"
    IDC_OPTION1_0,      // "All Users"
    IDC_OPTION1_1,      // "Current User"
    IDC_COMMAND2,       // "Add Button"
    IDC_COMMAND9,       // "Reset All to Default"
    IDC_COMMAND4,       // "Update"
    IDC_FRAME7,         // "Drop Target:"
    IDC_IMAGE2,         // "Drop Target" (the drop area)
    IDC_LABEL6,         // "Drag and drop any file here ..."
    IDC_STATUSBAR1,     // the count of buttons and the hovered button's text
    // Hidden labels that give the list and "File to Launch"'s field, which sit in group boxes
    // without a label of their own, the name a screen reader reads.
    IDC_NAME_LISTVIEW1,
    IDC_NAME_TEXT1,
};

inline constexpr int kClientWidth = 9600;
inline constexpr int kClientHeight = 8430;  // above the status bar

inline constexpr TwipsRect kFrame2{120, 60, 9360, 2955};
inline constexpr TwipsRect kListView1{120, 240, 9120, 2160};
inline constexpr TwipsRect kCommand7{120, 2490, 1680, 360};
inline constexpr TwipsRect kCommand8{1920, 2490, 1680, 360};

inline constexpr TwipsRect kFrame1{120, 3075, 4515, 5295};
// Inside frame1:
inline constexpr TwipsRect kFrame5{120, 210, 4275, 945};
inline constexpr TwipsRect kIcofrm{120, 1185, 4275, 1425};
inline constexpr TwipsRect kFrame6{120, 2640, 4275, 1500};
inline constexpr TwipsRect kFrame3{120, 4170, 2610, 570};
inline constexpr TwipsRect kCommand2{2790, 4260, 1575, 405};
inline constexpr TwipsRect kCommand9{120, 4830, 2055, 375};
inline constexpr TwipsRect kCommand4{2790, 4830, 1575, 375};
// Inside Frame5:
inline constexpr TwipsRect kText1{120, 240, 3585, 300};
inline constexpr TwipsRect kCommand1{3765, 240, 390, 300};
inline constexpr TwipsRect kLabel1{120, 600, 1830, 255};
inline constexpr TwipsRect kText5{1950, 555, 2205, 300};
// Inside icofrm:
inline constexpr TwipsRect kCheck1{120, 285, 2310, 270};
inline constexpr TwipsRect kCommand3{120, 615, 2310, 330};
inline constexpr TwipsRect kCommand5{120, 990, 2310, 330};
inline constexpr TwipsRect kFrame4{2505, 225, 1620, 1110};
// Inside Frame6:
inline constexpr TwipsRect kCheck3{120, 225, 2160, 255};
inline constexpr TwipsRect kCheck2{2520, 225, 1500, 255};
inline constexpr TwipsRect kLabel2{120, 555, 1800, 255};
inline constexpr TwipsRect kText2{1950, 510, 2175, 285};
inline constexpr TwipsRect kLabel4{120, 870, 1800, 255};
inline constexpr TwipsRect kText4{1950, 825, 2175, 285};
inline constexpr TwipsRect kLabel3{120, 1185, 1800, 255};
inline constexpr TwipsRect kText3{1950, 1140, 2175, 285};
// Inside Frame3:
inline constexpr TwipsRect kOption1_0{90, 225, 1080, 255};
inline constexpr TwipsRect kOption1_1{1260, 225, 1230, 255};

inline constexpr TwipsRect kFrame7{4755, 3075, 4725, 5295};
// Inside Frame7:
inline constexpr TwipsRect kImage2{2122, 1500, 480, 480};
inline constexpr TwipsRect kLabel6{360, 2160, 4005, 900};

// The preview sits this far below the middle of "Selected Icon:".
inline constexpr int kPreviewDrop = 30;

// The list's columns: "File to Launch" and "Menu Status Bar Text" about 2.2 inches, the others
// one inch, and the icon kind marker and the link hidden at zero width.
inline constexpr int kColumnWidths[8] = {3168, 1440, 1440, 3168, 1440, 1440, 0, 0};

}  // namespace velmora::layout
