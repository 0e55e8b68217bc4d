#include "dialogs/about_box.h"

#include "velmora_version.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

namespace velmora {

namespace {

constexpr const wchar_t* kLabel1Text =
    L"Velmora is free: you may use it at home and at work without paying anything. You may give copies to "
    L"anyone, as long as you pass the program on unchanged and free of charge.";
constexpr const wchar_t* kLabel3Text = L"Find more great software from Corvale at:";

// The client area of FrmAbt and its layout, in twips: the frame fills the window with a narrow
// margin; inside it the product's logo with the version and the notice line beside it and the
// maker's logo in the top right corner, the separator, the note, and at the bottom the line
// about Corvale with the two links under it and OK in the bottom right corner.
constexpr int kClientWidth = 4830;
constexpr int kClientHeight = 3045;
constexpr int kMargin = 90;    // from the window's edge to the frame
constexpr int kPadding = 180;  // from the frame to what it holds
constexpr int kLogoSize = 480;
constexpr int kGap = 120;
constexpr int kLinkGap = 30;   // between the lines of the bottom group
constexpr int kFocusPad = 30;  // around a link's text, where its focus rectangle goes
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kMakerLogoColour = RGB(0, 84, 166);

void Place(HWND control, int left, int top, int width, int height) {
    ::SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int HeightOf(HWND control) {
    RECT placed{};
    ::GetWindowRect(control, &placed);
    return placed.bottom - placed.top;
}

int WidthOf(HWND control) {
    RECT placed{};
    ::GetWindowRect(control, &placed);
    return placed.right - placed.left;
}

// --- The links --------------------------------------------------------------------------------
// Each link is a static control with SS_NOTIFY (a click arrives as STN_CLICKED) and a tab stop,
// subclassed so that the keyboard can use it: Enter and Space act as a click, and the focused
// link shows a focus rectangle around its text. It draws itself in the colours the about box
// gives it through WM_CTLCOLORSTATIC, its text inset by the padding (in pixels) that the
// subclass holds as its reference data.

constexpr UINT_PTR kLinkSubclassId = 1;

void PaintLink(HWND link, HDC dc, int pad) {
    RECT area{};
    ::GetClientRect(link, &area);
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(link), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    ::FillRect(dc, &area, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    const int length = ::GetWindowTextLengthW(link);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(link, text.data(), length + 1);
    const SelectedObject linkFont(dc, reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT textArea = area;
    ::InflateRect(&textArea, -pad, -pad);
    ::DrawTextW(dc, text.c_str(), length, &textArea, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    ::SetBkMode(dc, oldMode);
    // As the system's own controls do: no focus rectangle until the keyboard is used.
    const bool focusHidden = (::SendMessageW(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (::GetFocus() == link && !focusHidden) ::DrawFocusRect(dc, &area);
}

LRESULT OnLinkPaint(HWND link, int pad) {
    const PaintDc dc(link);
    PaintLink(link, dc.get(), pad);
    return 0;
}

// Enter and Space (not their repeats while held down) act as a click.
LRESULT OnLinkKeyDown(HWND link, WPARAM key, LPARAM flags) {
    const bool repeat = (flags & (1L << 30)) != 0;
    if (!repeat) {
        const int id = ::GetDlgCtrlID(link);
        ::SendMessageW(::GetParent(link), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    }
    return 0;
}

LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR pad) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter goes to the link rather than to the default button.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return ::DefSubclassProc(link, message, wParam, lParam) | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) return OnLinkKeyDown(link, wParam, lParam);
        break;
    case WM_PAINT:
        return OnLinkPaint(link, static_cast<int>(pad));
    case WM_PRINTCLIENT:
        PaintLink(link, reinterpret_cast<HDC>(wParam), static_cast<int>(pad));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        ::InvalidateRect(link, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(link, &LinkProc, kLinkSubclassId);
        break;
    }
    return ::DefSubclassProc(link, message, wParam, lParam);
}

}  // namespace

AboutBox::AboutBox(ShellApi& shell)
    : Dialog(L"About...", kClientWidth, kClientHeight, Placement::CentredOnOwner), prompts_(ownBoxes_), shell_(shell) {}

AboutBox::AboutBox(Prompts& prompts, ShellApi& shell)
    : Dialog(L"About...", kClientWidth, kClientHeight, Placement::CentredOnOwner), prompts_(prompts), shell_(shell) {}

AboutBox::~AboutBox() {
    DestroyOwnWindow();
}

void AboutBox::Form_Load() {
    ownBoxes_.SetOwner(hwnd_);
    boldFont_ = CreateMessageFont(true);
    LOGFONTW underlined{};
    ::GetObjectW(font(), sizeof(underlined), &underlined);
    underlined.lfUnderline = TRUE;
    linkFont_.reset(::CreateFontIndirectW(&underlined));

    // Created in the order of the Tab key: OK, where the focus starts, then the two links.
    AddControl(L"BUTTON", L"", BS_GROUPBOX, kFrame1, {});

    // The product's logo: the program's own icon (resource 1), or the system's program icon in a
    // program that carries none.
    HWND image1 = AddControl(L"STATIC", L"", SS_ICON, kImage1, {});
    const int logo = Px(kLogoSize);
    programIcon_.reset(
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, logo, logo, 0)));
    HICON shown = programIcon_ ? programIcon_.get() : ::LoadIconW(nullptr, IDI_APPLICATION);
    ::SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(shown), 0);
    // The maker's logo, drawn in WM_DRAWITEM.
    AddControl(L"STATIC", L"", SS_OWNERDRAW, kImage2, {});

    HWND label7 = AddControl(L"STATIC", L"Version " VELMORA_VERSION_TEXT, SS_LEFT | SS_NOPREFIX, kLabel7, {});
    ::SendMessageW(label7, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    AddControl(L"STATIC", kAboutNoticeLine, SS_LEFT | SS_NOPREFIX, kLabel2, {});
    AddControl(L"STATIC", L"", SS_ETCHEDHORZ, kLine1, {});
    AddControl(L"STATIC", kLabel1Text, SS_LEFT | SS_NOPREFIX, kLabel1, {});
    AddControl(L"STATIC", kLabel3Text, SS_LEFT | SS_NOPREFIX, kLabel3, {});
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {});
    // The links: SS_NOTIFY makes them take the mouse, so that clicks arrive as STN_CLICKED and
    // the pointer over them can be set; the subclass gives them the keyboard.
    for (const auto& [id, text] : {std::pair{kLabel6, kMakerWebSite}, std::pair{kLabel5, kSupportEmail}}) {
        HWND link = AddControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_TABSTOP, id, {});
        ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
        ::SetWindowSubclass(link, &LinkProc, kLinkSubclassId, static_cast<DWORD_PTR>(Px(kFocusPad)));
    }
    Arrange();
}

void AboutBox::Arrange() {
    int clientWidth = Px(kClientWidth);
    const int margin = Px(kMargin);
    const int padding = Px(kPadding);
    const int gap = Px(kGap);
    const int logo = Px(kLogoSize);
    const int buttonWidth = Px(kButtonWidth);
    const int buttonHeight = Px(kButtonHeight);
    HWND label3 = Item(kLabel3);
    HWND label6 = Item(kLabel6);
    HWND label5 = Item(kLabel5);

    // Wider fonts widen the window: the line about Corvale and each link stay on one line, the
    // links beside OK.
    const int oneLine =
        std::max({TextWidth(label3), TextWidth(label6) + gap + buttonWidth, TextWidth(label5) + gap + buttonWidth});
    clientWidth = std::max(clientWidth, 2 * (margin + padding) + oneLine + Px(30));
    const int left = margin + padding;
    const int right = clientWidth - margin - padding;
    const int width = right - left;

    // The top group: the product's logo, the version and the notice line beside it, and the
    // maker's logo in the corner.
    int y = margin + padding;
    const int textLeft = left + logo + gap;
    const int textWidth = right - logo - gap - textLeft;
    Place(Item(kImage1), left, y, logo, logo);
    Place(Item(kImage2), right - logo, y, logo, logo);
    HWND label7 = Item(kLabel7);
    HWND label2 = Item(kLabel2);
    Place(label7, textLeft, y, textWidth, 0);
    FitLabelHeight(label7);
    Place(label2, textLeft, y, textWidth, 0);
    FitLabelHeight(label2);
    const int texts = HeightOf(label7) + HeightOf(label2);
    const int textTop = y + std::max(0, (logo - texts) / 2);
    Place(label7, textLeft, textTop, textWidth, HeightOf(label7));
    Place(label2, textLeft, textTop + HeightOf(label7), textWidth, HeightOf(label2));
    y += std::max(logo, texts) + gap;

    // The separator and the note.
    Place(Item(kLine1), left, y, width, 2);
    y += 2 + gap;
    HWND label1 = Item(kLabel1);
    Place(label1, left, y, width, 0);
    FitLabelHeight(label1);
    y += HeightOf(label1) + gap;

    // The bottom group: the line about Corvale, then the links, as wide as their texts and the
    // room for the focus rectangle around them (so the hand shows only over them), with OK in the
    // bottom right corner beside them. Their texts line up with the line above.
    Place(label3, left, 0, width, 0);
    FitLabelHeight(label3);
    const int linkGap = Px(kLinkGap);
    const int pad = Px(kFocusPad);
    const int linkRoom = width - gap - buttonWidth;
    for (HWND link : {label6, label5}) {
        Place(link, left, 0, std::min(TextWidth(link) + 1, linkRoom), 0);
        FitLabelHeight(link);
        Place(link, left, 0, WidthOf(link) + 2 * pad, HeightOf(link) + 2 * pad);
    }
    const int links = HeightOf(label6) + std::max(0, linkGap - 2 * pad) + HeightOf(label5);
    const int bottomGroup = HeightOf(label3) + linkGap + std::max(links, buttonHeight);

    // The window keeps its size unless the texts need more; any room to spare goes between the
    // note and the bottom group.
    const int clientHeight = std::max(Px(kClientHeight), y + bottomGroup + padding + margin);
    const int frameBottom = clientHeight - margin;
    int bottom = frameBottom - padding;
    Place(Item(IDOK), right - buttonWidth, bottom - buttonHeight, buttonWidth, buttonHeight);
    const int linksBottom = bottom - std::max(0, (buttonHeight - links) / 2);
    Place(label5, left - pad, linksBottom - HeightOf(label5), WidthOf(label5), HeightOf(label5));
    const int label6Top = linksBottom - links;
    Place(label6, left - pad, label6Top, WidthOf(label6), HeightOf(label6));
    Place(label3, left, bottom - bottomGroup, width, HeightOf(label3));

    Place(Item(kFrame1), margin, margin, clientWidth - 2 * margin, frameBottom - margin);
    SetClientSize(hwnd_, clientWidth, clientHeight);
}

bool AboutBox::HighContrastOn() const {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool AboutBox::IsLink(HWND control) const {
    return control && (control == Item(kLabel6) || control == Item(kLabel5));
}

void AboutBox::Label6_Click() {
    OpenMakerWebSite(shell_, prompts_, hwnd_);
}

void AboutBox::Label5_Click() {
    OpenSupportEmail(shell_, prompts_, hwnd_);
}

bool AboutBox::OnCommand(int id, int code, HWND control) {
    if (code != STN_CLICKED || !control) return false;
    switch (id) {
    case kLabel6:
        Label6_Click();
        return true;
    case kLabel5:
        Label5_Click();
        return true;
    }
    return false;
}

INT_PTR AboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        // The links in pure blue on the window's own background, or in the system's link colour
        // when high contrast is on; the other labels as usual.
        if (!IsLink(reinterpret_cast<HWND>(lParam))) return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, HighContrastOn() ? ::GetSysColor(COLOR_HOTLIGHT) : kLinkColour);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        handled = true;
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
        // The hand over the links.
        if (!IsLink(reinterpret_cast<HWND>(wParam))) return 0;
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        handled = true;
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != kImage2) return 0;
        DrawMakerLogo(item);
        handled = true;
        return TRUE;
    }
    }
    return 0;
}

void AboutBox::DrawMakerLogo(const DRAWITEMSTRUCT& item) const {
    // Corvale's logo: a white "C" on a blue disc.
    HDC dc = item.hDC;
    const RECT area = item.rcItem;
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    {
        const UniqueHbrush disc(::CreateSolidBrush(kMakerLogoColour));
        const SelectedObject discBrush(dc, disc.get());
        const SelectedObject noPen(dc, ::GetStockObject(NULL_PEN));
        ::Ellipse(dc, area.left, area.top, area.right + 1, area.bottom + 1);
    }

    LOGFONTW letter{};
    ::GetObjectW(boldFont_.get(), sizeof(letter), &letter);
    letter.lfHeight = -((area.bottom - area.top) * 3 / 4);
    letter.lfWidth = 0;
    const UniqueHfont letterFont(::CreateFontIndirectW(&letter));
    const SelectedObject letterSelected(dc, letterFont.get());
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    RECT text = area;
    ::DrawTextW(dc, L"C", 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace velmora
