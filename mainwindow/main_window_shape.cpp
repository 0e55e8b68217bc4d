#include "mainwindow/main_window_shape.h"

#include "mainwindow/main_window_layout.h"

#include <algorithm>
#include <utility>

namespace velmora {

using namespace layout;

void MainWindowShape::CreateLayoutControls(HIMAGELIST smallImages) {
    for (const ControlSpec& item : kControls) {
        HWND control = AddControl(item.className, item.caption, item.style, item.id, item.at, item.exStyle);
        if (item.tooltip) AddTooltip(control, item.tooltip);
        if (item.hidden) ::ShowWindow(control, SW_HIDE);
    }

    HWND list = Item(IDC_LISTVIEW1);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages));
    for (int column = 0; column < 8; ++column) {
        LVCOLUMNW heading{};
        heading.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        heading.pszText = const_cast<wchar_t*>(kColumnHeadings[column]);
        heading.cx = Px(kColumnWidths[column]);
        heading.iSubItem = column;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&heading));
    }
    FitLabelHeight(Item(IDC_LABEL6));

    HWND status = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR1)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    // The first panel counts the buttons; the second shows the text of the button under the mouse.
    int parts[2] = {Px(kStatusCountWidth), -1};
    ::SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

    // Wider fonts than the twips were laid out for (Windows' own is larger than Wine's) take room
    // from the fields beside the labels, and the boxes grow to their captions.
    FitLabelBeside(Item(IDC_LABEL1), Item(IDC_TEXT5));
    int labelWidth = 0;
    const std::pair<int, int> textLabels[] = {
        {IDC_LABEL2, IDC_TEXT2}, {IDC_LABEL4, IDC_TEXT4}, {IDC_LABEL3, IDC_TEXT3}};
    for (const auto& [label, field] : textLabels) labelWidth = std::max(labelWidth, TextWidth(Item(label)));
    for (const auto& [label, field] : textLabels) FitLabelBeside(Item(label), Item(field), labelWidth + Px(30));
    for (int box : {IDC_CHECK1, IDC_CHECK3, IDC_CHECK2, IDC_OPTION1_0, IDC_OPTION1_1}) FitButtonWidth(Item(box));
    const RECT allUsers = PlaceOf(Item(IDC_OPTION1_0));
    ::SetWindowPos(Item(IDC_OPTION1_1), nullptr, allUsers.right + Px(45), allUsers.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
