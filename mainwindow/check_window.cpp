#include "mainwindow/check_window.h"

#include "checkup/button_check.h"
#include "checkup/button_repair.h"
#include "texts/editor_texts.h"

namespace velmora {

namespace {

// Layout in twips.
constexpr int kWidth = 9600;
constexpr int kHeight = 4800;
constexpr int kEdge = 180;
constexpr int kLabelHeight = 270;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kTextTop = kEdge + kLabelHeight + 60;
constexpr int kButtonTop = kHeight - kEdge - kButtonHeight;

// One line per finding, with an empty line between them: a finding the box wraps onto a second
// line still reads as one.
std::wstring Joined(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n\r\n") + line;
    return text;
}

std::wstring Heading(const ButtonCheck& check) {
    const std::wstring buttons = std::to_wstring(check.buttons) + (check.buttons == 1 ? L" button" : L" buttons");
    if (check.findings.empty()) return L"Velmora checked " + buttons + L" and its 20 slots:";
    const std::wstring found = std::to_wstring(check.findings.size()) +
                               (check.findings.size() == 1 ? L" thing is wrong" : L" things are wrong");
    return L"Velmora checked " + buttons + L" and its 20 slots; " + found + L":";
}

}  // namespace

CheckWindow::CheckWindow(RegistryApi& registry, FilePlaces places, std::function<void()> afterRepair,
                         unsigned long windowsBuild)
    : Dialog(kCheckCaption, kWidth, kHeight, Placement::CentredOnOwner),
      registry_(registry),
      places_(std::move(places)),
      afterRepair_(std::move(afterRepair)),
      windowsBuild_(windowsBuild) {}

CheckWindow::~CheckWindow() {
    DestroyOwnWindow();
}

void CheckWindow::Form_Load() {
    // The buttons come first in the order of the Tab key: the dialog starts on "Repair" (on
    // "Close" when it is disabled), not on the findings, whose text a focused box would select.
    AddControl(L"BUTTON", L"&Repair", WS_TABSTOP, kCommand1,
               {kWidth - kEdge - 2 * kButtonWidth - 120, kButtonTop, kButtonWidth, kButtonHeight});
    AddControl(L"BUTTON", L"Close", WS_TABSTOP | BS_DEFPUSHBUTTON, IDCANCEL,
               {kWidth - kEdge - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight});
    AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kLabel1, {kEdge, kEdge, kWidth - 2 * kEdge, kLabelHeight});
    AddControl(L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kText1,
               {kEdge, kTextTop, kWidth - 2 * kEdge, kButtonTop - kTextTop - 120}, WS_EX_CLIENTEDGE);
    if (LacksInternetExplorer(windowsBuild_)) AddWindows11Note();
    check_ = CheckButtons(registry_, places_);
    ShowLines(Heading(check_), check_.ReportLines());
}

void CheckWindow::AddWindows11Note() {
    HWND label2 = AddControl(L"STATIC", kWindows11CheckLine, SS_LEFT | SS_NOPREFIX, kLabel2,
                             {kEdge, kEdge, kWidth - 2 * kEdge, kLabelHeight});
    FitLabelHeight(label2);
    const RECT note = PlaceOf(label2);
    const int shift = note.bottom - note.top + Px(120);
    for (int id : {kLabel1, kText1, kCommand1, IDCANCEL}) {
        const RECT place = PlaceOf(Item(id));
        ::SetWindowPos(Item(id), nullptr, place.left, place.top + shift, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    SetClientSize(hwnd_, client.right, client.bottom + shift);
}

void CheckWindow::ShowLines(const std::wstring& heading, const std::vector<std::wstring>& lines) {
    ::SetWindowTextW(Item(kLabel1), heading.c_str());
    ::SetWindowTextW(Item(kText1), Joined(lines).c_str());
    const bool repairable = check_.AnyRepairable();
    if (!repairable && ::GetFocus() == Item(kCommand1)) ::SetFocus(Item(IDCANCEL));
    ::EnableWindow(Item(kCommand1), repairable);
}

bool CheckWindow::OnCommand(int id, int code, HWND) {
    if (id != kCommand1 || code != BN_CLICKED) return false;
    Command1_Click();
    return true;
}

void CheckWindow::OnOK() {
    if (::GetFocus() == Item(kCommand1) && ::IsWindowEnabled(Item(kCommand1))) {
        Command1_Click();
    } else {
        Close(IDCANCEL);
    }
}

void CheckWindow::Command1_Click() {
    const RepairResult result = RepairButtons(registry_, places_);
    check_ = result.after;
    if (!result.refused && afterRepair_) afterRepair_();
    // What the repair did or why it did nothing comes first, then the check made after it.
    std::vector<std::wstring> lines = RepairReportLines(result);
    ShowLines(Heading(check_), lines);
}

}  // namespace velmora
