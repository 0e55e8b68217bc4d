// The main window's controls: their identifiers, their places in twips (a control inside a frame
// relative to the frame's top-left corner), and the table the window creates them from, which the
// benchmark's window of the same shape creates its controls from too.
#pragma once

#include "common/window_base.h"

#include <windows.h>
#include <commctrl.h>

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
inline constexpr const wchar_t* kColumnHeadings[8] = {
    L"File to Launch", L"Button Text", L"Menu Text", L"Menu Status Bar Text", L"Scope", L"Parameters", L"", L""};

// The status bar's first panel (the count of buttons) is this wide; the second takes the rest.
inline constexpr int kStatusCountWidth = 2400;

// One control of the window, as it is created.
struct ControlSpec {
    int id;
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;             // besides WS_CHILD and WS_VISIBLE
    TwipsRect at;            // in the client area
    DWORD exStyle;           // WS_EX_*
    const wchar_t* tooltip;  // none when null
    bool hidden;             // a label only a screen reader reads
};

// The frames' places in the client area.
inline constexpr TwipsRect kFrame5At = kFrame5.Inside(kFrame1);
inline constexpr TwipsRect kIcofrmAt = kIcofrm.Inside(kFrame1);
inline constexpr TwipsRect kFrame4At = kFrame4.Inside(kIcofrmAt);
inline constexpr TwipsRect kFrame6At = kFrame6.Inside(kFrame1);
inline constexpr TwipsRect kFrame3At = kFrame3.Inside(kFrame1);

// Every control but the status bar, top to bottom and left to right: the order of the Tab key. A
// screen reader names a control after the label just before it, so the list and "File to Launch"'s
// field, whose group boxes are their only captions, have hidden labels of their own before them.
// "Selected Icon:"'s picture takes its size and place from the icon it shows.
inline constexpr ControlSpec kControls[] = {
    {IDC_FRAME2, L"BUTTON", L"Currently Added Buttons:", BS_GROUPBOX, kFrame2, 0, nullptr, false},
    {IDC_NAME_LISTVIEW1, L"STATIC", L"Currently Added Buttons:", SS_LEFT, {}, 0, nullptr, true},
    {IDC_LISTVIEW1, WC_LISTVIEWW, L"",
     WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
     kListView1.Inside(kFrame2), WS_EX_CLIENTEDGE, nullptr, false},
    {IDC_COMMAND7, L"BUTTON", L"Edit Selected", WS_TABSTOP | WS_GROUP, kCommand7.Inside(kFrame2), 0,
     L"Edit properties of currently selected button.", false},
    {IDC_COMMAND8, L"BUTTON", L"Delete Selected", WS_TABSTOP, kCommand8.Inside(kFrame2), 0,
     L"Delete currently selected button.", false},

    {IDC_FRAME1, L"BUTTON", L"Button Properties:", BS_GROUPBOX, kFrame1, 0, nullptr, false},
    {IDC_FRAME5, L"BUTTON", L"File to Launch:", BS_GROUPBOX, kFrame5At, 0, nullptr, false},
    {IDC_NAME_TEXT1, L"STATIC", L"File to Launch:", SS_LEFT, {}, 0, nullptr, true},
    {IDC_TEXT1, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText1.Inside(kFrame5At), WS_EX_CLIENTEDGE,
     L"Path and filename of program to launch.", false},
    {IDC_COMMAND1, L"BUTTON", L"...", WS_TABSTOP, kCommand1.Inside(kFrame5At), 0, L"Browse.", false},
    {IDC_LABEL1, L"STATIC", L"Command Line Parameters:", SS_LEFT, kLabel1.Inside(kFrame5At), 0, nullptr, false},
    {IDC_TEXT5, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText5.Inside(kFrame5At), WS_EX_CLIENTEDGE, nullptr, false},

    {IDC_ICOFRM, L"BUTTON", L"Icon:", BS_GROUPBOX, kIcofrmAt, 0, nullptr, false},
    {IDC_CHECK1, L"BUTTON", L"Use Program Icon", WS_TABSTOP | BS_CHECKBOX, kCheck1.Inside(kIcofrmAt), 0,
     L"Check to use default program icon on button.", false},
    {IDC_COMMAND3, L"BUTTON", L"Select Icon from Library", WS_TABSTOP, kCommand3.Inside(kIcofrmAt), 0,
     L"Select from preformatted icons.", false},
    {IDC_COMMAND5, L"BUTTON", L"Select Icon from Disk", WS_TABSTOP, kCommand5.Inside(kIcofrmAt), 0,
     L"Select \".ico\" file from disk.", false},
    {IDC_FRAME4, L"BUTTON", L"Selected Icon:", BS_GROUPBOX, kFrame4At, 0, nullptr, false},
    {IDC_IMAGE1, L"STATIC", L"", SS_OWNERDRAW, TwipsRect{}.Inside(kFrame4At), 0, nullptr, false},

    {IDC_FRAME6, L"BUTTON", L"Text:", BS_GROUPBOX, kFrame6At, 0, nullptr, false},
    {IDC_CHECK3, L"BUTTON", L"Derive from Filename", WS_TABSTOP | BS_CHECKBOX, kCheck3.Inside(kFrame6At), 0, nullptr,
     false},
    {IDC_CHECK2, L"BUTTON", L"Synch All", WS_TABSTOP | BS_CHECKBOX, kCheck2.Inside(kFrame6At), 0,
     L"Synchronize text all 3 text fields.", false},
    {IDC_LABEL2, L"STATIC", L"Button Text:", SS_LEFT, kLabel2.Inside(kFrame6At), 0, nullptr, false},
    {IDC_TEXT2, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText2.Inside(kFrame6At), WS_EX_CLIENTEDGE,
     L"Text to appear on the button.", false},
    {IDC_LABEL4, L"STATIC", L"Menu Text:", SS_LEFT, kLabel4.Inside(kFrame6At), 0, nullptr, false},
    {IDC_TEXT4, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText4.Inside(kFrame6At), WS_EX_CLIENTEDGE,
     L"Text to appear on associated \"Tools\" menu item.", false},
    {IDC_LABEL3, L"STATIC", L"Menu Status Bar Text:", SS_LEFT, kLabel3.Inside(kFrame6At), 0, nullptr, false},
    {IDC_TEXT3, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText3.Inside(kFrame6At), WS_EX_CLIENTEDGE,
     L"Text to be shown in I.E.'s status bar when cursor is over menu item.", false},

    {IDC_FRAME3, L"BUTTON", L"Scope:", BS_GROUPBOX, kFrame3At, 0, nullptr, false},
    {IDC_OPTION1_0, L"BUTTON", L"All Users", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kOption1_0.Inside(kFrame3At),
     0, L"Button visible in all user profiles.", false},
    {IDC_OPTION1_1, L"BUTTON", L"Current User", BS_AUTORADIOBUTTON, kOption1_1.Inside(kFrame3At), 0,
     L"Button visible in only current user profile.", false},
    {IDC_COMMAND2, L"BUTTON", L"Add Button", WS_TABSTOP | WS_GROUP, kCommand2.Inside(kFrame1), 0,
     L"Add button to I.E.'s toolbar.", false},
    {IDC_COMMAND9, L"BUTTON", L"Reset All to Default", WS_TABSTOP, kCommand9.Inside(kFrame1), 0, nullptr, false},
    {IDC_COMMAND4, L"BUTTON", L"Update", WS_TABSTOP, kCommand4.Inside(kFrame1), 0,
     L"Replace properties of currently selected button.", false},

    {IDC_FRAME7, L"BUTTON", L"Drop Target:", BS_GROUPBOX, kFrame7, 0, nullptr, false},
    {IDC_IMAGE2, L"STATIC", L"Drop Target", SS_OWNERDRAW, kImage2.Inside(kFrame7), 0, nullptr, false},
    {IDC_LABEL6, L"STATIC",
     L"Drag and drop any file here to have all pertinent info automatically entered into its appropriate places.",
     SS_CENTER, kLabel6.Inside(kFrame7), 0, nullptr, false},
};

}  // namespace velmora::layout
