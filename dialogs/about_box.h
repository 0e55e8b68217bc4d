// The about box (FrmAbt): the product's and the maker's logos, the version, the notice
// line, the note on passing the program on, and two links, the maker's web site (Label6) and the
// support e-mail address (Label5), blue (the system's link colour in high contrast) with the hand
// pointer. A click on a link opens it through the shell; only "no program associated" (31) is
// reported, in an "Oops!" box. Tab goes from OK to each link, where Enter and Space act as a
// click. OK, Enter (elsewhere than on a link) and Esc close it. Shown modally, owned by and
// centred over the main window.
#pragma once

#include "common/prompts.h"
#include "common/shell_open.h"
#include "common/window_base.h"

#include <string>

namespace velmora {

// Label2: the character with code 169 (the copyright sign) followed directly by the year and the
// maker.
inline constexpr const wchar_t* kAboutNoticeLine = L"\u00A9 2026 Corvale Software";

class AboutBox : public Dialog {
public:
    // Control ids; the OK button is IDOK.
    static constexpr int kFrame1 = 100;
    static constexpr int kImage1 = 101;  // the product's logo: the program's icon
    static constexpr int kImage2 = 102;  // the maker's logo, drawn here
    static constexpr int kLine1 = 103;
    static constexpr int kLabel7 = 104;  // "Version 3.1"
    static constexpr int kLabel2 = 105;  // the notice line
    static constexpr int kLabel1 = 106;  // the note on passing the program on
    static constexpr int kLabel3 = 107;  // "Find more great software from Corvale at:"
    static constexpr int kLabel6 = 108;  // link: the maker's web site
    static constexpr int kLabel5 = 109;  // link: the support e-mail address

    // Message boxes are owned by the about box itself.
    explicit AboutBox(ShellApi& shell = SystemShell());
    // Message boxes go to prompts (tests script them).
    AboutBox(Prompts& prompts, ShellApi& shell);
    ~AboutBox() override;

protected:
    void OnInit() override { Form_Load(); }
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // Whether the system's high-contrast mode is on, asked each time the links are drawn.
    virtual bool HighContrastOn() const;

private:
    void Form_Load();
    void Label6_Click();
    void Label5_Click();
    // Places the controls top to bottom, each label as high as its text needs, and grows the
    // window where the fonts need more room than the twips give.
    void Arrange();
    bool IsLink(HWND control) const;
    void DrawMakerLogo(const DRAWITEMSTRUCT& item) const;

    MessageBoxPrompts ownBoxes_;
    Prompts& prompts_;
    ShellApi& shell_;
    UniqueHicon programIcon_;
    UniqueHfont boldFont_;
    UniqueHfont linkFont_;
};

}  // namespace velmora
