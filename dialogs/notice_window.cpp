#include "dialogs/notice_window.h"

#include "settings/preferences.h"
#include "texts/editor_texts.h"

#include <algorithm>

namespace velmora {

namespace {

struct NoticeForm {
    const wchar_t* caption;
    const wchar_t* text;
    int clientWidth;  // twips
    int clientHeight;
};

const NoticeForm& FormOf(Notice notice) {
    static const NoticeForm iemsgfrm{
        L"Important Message",
        L"This button will be added to I.E.'s toolbar the next time it is started. If the button does not show up, "
        L"right-click on I.E.'s toolbar and choose \"Customize\" from the menu that appears. Select the new button "
        L"from the \"Available Buttons\" list on the left side of the dialog that appears and click the \"Add\" "
        L"button in the center. Close the dialog and the button will be added.",
        5505, 2340};
    static const NoticeForm Form3{L"Important Message", L"This change will show up the next time I.E. is started.",
                                  3465, 1560};
    static const NoticeForm frmicomsg{
        L"Important Message",
        L"Due to the fact that normal program icons differ in format and size from the icons that I.E. usually uses "
        L"on its buttons, using the default program icon will cause the button to not have the usual \"hot/cold\" "
        L"effect that I.E. toolbar buttons normally have. The button will remain in a colorized state at all times. "
        L"The icon may also appear slightly distorted due to resizing.",
        4980, 2370};
    static const NoticeForm Form5{
        L"Important Info About Drag-and-Drop",
        L"Dragging-and-dropping a file onto Velmora enters all pertinent information about the file into the "
        L"appropriate fields but the button is not added to I.E.'s toolbar until the \"Add Button\" button is "
        L"clicked.",
        4725, 1725};
    static const NoticeForm windows11{kWindows11NoticeCaption, kWindows11NoticeText, 5505, 2340};
    switch (notice) {
    case Notice::AddButton:
        return iemsgfrm;
    case Notice::Change:
        return Form3;
    case Notice::ProgramIcon:
        return frmicomsg;
    case Notice::DragAndDrop:
        return Form5;
    case Notice::Windows11:
        return windows11;
    }
    return Form3;
}

// Layout in twips: the icon in the top left corner, the text beside it, the check box across
// the window below them and OK centred at the bottom.
constexpr int kEdge = 240;
constexpr int kGap = 120;
constexpr int kIconSize = 480;  // 32 pixels at 96 DPI
constexpr int kTextLeft = kEdge + kIconSize + kEdge;
constexpr int kCheckHeight = 300;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

void Place(HWND control, int left, int top, int width, int height) {
    ::SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

NoticeWindow::NoticeWindow(Notice notice, RegistryApi& registry)
    : Dialog(FormOf(notice).caption, FormOf(notice).clientWidth, FormOf(notice).clientHeight,
             Placement::CentredOnOwner),
      notice_(notice),
      preferences_(RegistryStores(registry).preferences) {}

NoticeWindow::~NoticeWindow() {
    DestroyOwnWindow();
}

void NoticeWindow::OnInit() {
    const NoticeForm& form = FormOf(notice_);
    // The system's information icon, at the system's icon size for the screen's DPI.
    HWND image1 = AddControl(L"STATIC", L"", SS_ICON, kImage1, {kEdge, kEdge, kIconSize, kIconSize});
    ::SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_INFORMATION)), 0);
    AddControl(L"STATIC", form.text, SS_LEFT | SS_NOPREFIX, kLabel1, {kTextLeft, kEdge, 0, 0});
    // OK first: it takes the focus when the window opens, so a stray Space does not untick the box.
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {0, 0, kButtonWidth, kButtonHeight});
    AddControl(L"BUTTON", L"Show this message again in the future.", WS_TABSTOP | BS_AUTOCHECKBOX, kCheck1,
               {kEdge, 0, 0, kCheckHeight});
    ::CheckDlgButton(hwnd_, kCheck1, BST_CHECKED);
    Arrange(form.clientWidth, form.clientHeight);
}

void NoticeWindow::Arrange(int clientWidthTwips, int clientHeightTwips) {
    HWND label1 = Item(kLabel1);
    HWND check1 = Item(kCheck1);
    const int edge = Px(kEdge);
    const int gap = Px(kGap);

    // The check box's text must fit on its line: wider fonts widen the window.
    const int checkWidth = TextWidth(check1) + ::GetSystemMetrics(SM_CXMENUCHECK) + gap;
    const int clientWidth = std::max(Px(clientWidthTwips), checkWidth + 2 * edge);

    // The text takes the room beside the icon and as many lines as its font needs.
    Place(label1, Px(kTextLeft), edge, clientWidth - Px(kTextLeft) - edge, Px(kIconSize));
    FitLabelHeight(label1);
    RECT text{};
    ::GetWindowRect(label1, &text);
    const int textBottom = edge + std::max<int>(text.bottom - text.top, Px(kIconSize));

    // The check box and OK sit at the bottom; the window grows when the text reaches them.
    const int lowerPart = gap + Px(kCheckHeight) + gap + Px(kButtonHeight) + gap;
    const int clientHeight = std::max(Px(clientHeightTwips), textBottom + lowerPart);
    const int buttonTop = clientHeight - gap - Px(kButtonHeight);
    const int checkTop = buttonTop - gap - Px(kCheckHeight);
    Place(check1, edge, checkTop, clientWidth - 2 * edge, Px(kCheckHeight));
    Place(Item(IDOK), (clientWidth - Px(kButtonWidth)) / 2, buttonTop, Px(kButtonWidth), Px(kButtonHeight));

    SetClientSize(hwnd_, clientWidth, clientHeight);
}

void NoticeWindow::Command1_Click() {
    StoreNoticeFlag(preferences_, notice_, ::IsDlgButtonChecked(hwnd_, kCheck1) == BST_CHECKED);
    Close(IDOK);
}

}  // namespace velmora
