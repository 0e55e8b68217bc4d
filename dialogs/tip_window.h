// The tip of the day (frmTip): one random tip from the tips file, "&Next Tip" for another, and
// the check box that switches the window on or off at start-up. Each click of the check box
// stores the switch at once; the caller puts showTipsAtStartup() on its menu item's tick when the
// window has closed. A tip longer than its box makes the box and the window taller, up to the
// height of the screen's work area; one longer still scrolls in its box, which then takes the
// focus with Tab and scrolls with the arrow keys, Page Up, Page Down, Home, End and the wheel.
#pragma once

#include "common/window_base.h"
#include "settings/registry_api.h"

#include <random>
#include <string>
#include <vector>

namespace velmora {

class TipWindow : public Dialog {
public:
    // Control ids; cmdOK is IDOK.
    static constexpr int kImage1 = 100;
    static constexpr int kLabel1 = 101;  // "Did you know..."
    static constexpr int kLblTipText = 102;
    static constexpr int kChkLoadTipsAtStartup = 103;
    static constexpr int kCmdNextTip = 104;

    // programName: the program file's name without extension, which names the switch's key.
    // tipsFile: the full path of vlmtips.txt. menuTicked: the tick of "&Show Tips at Startup".
    TipWindow(RegistryApi& registry, std::wstring programName, std::wstring tipsFile, bool menuTicked);
    ~TipWindow() override;

    // The check box as it was when the window closed (until then, the menu item's tick).
    bool showTipsAtStartup() const { return showTipsAtStartup_; }

protected:
    void OnInit() override { Form_Load(); }
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override { cmdOK_Click(); }
    void OnUnload() override { Form_QueryUnload(); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    // A line of the tip as it is shown: where it starts in the text and how many characters.
    struct Line {
        size_t start = 0;
        size_t length = 0;
    };

    void Form_Load();
    void Form_QueryUnload();
    void cmdOK_Click() { Close(IDOK); }
    void cmdNextTip_Click() { ShowRandomTip(); }
    void chkLoadTipsAtStartup_Click();

    bool LoadTips(const std::wstring& path);
    void ShowRandomTip();
    void DisplayCurrentTip();
    bool CheckBoxTicked() const;
    RECT PictureArea() const;

    // The tip's box (lblTipText): a static control that holds the text, drawn here in lines
    // wrapped at its width, and scrolled here when the text needs more room than it can get.
    void ShowTipText(std::wstring text);
    void FitTipText();
    std::vector<Line> WrapTipText(HDC dc, int width) const;
    int TipLineHeight() const;
    int TipLinesInView() const;
    void ScrollTipTextTo(int line);
    static LRESULT CALLBACK TipTextProc(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
    void PaintTipText(HDC dc);
    LRESULT OnTipTextPaint();
    LRESULT OnTipTextScroll(int request);
    LRESULT OnTipTextKey(WPARAM key);
    void OnTipTextWheel(WPARAM wParam);

    RegistryApi& registry_;
    std::wstring programName_;
    std::wstring tipsFile_;
    bool menuTicked_;
    bool showTipsAtStartup_;

    std::vector<std::wstring> tips_;
    int currentTip_ = 0;
    std::mt19937_64 random_;
    UniqueHfont boldFont_;

    std::wstring tipText_;     // what the tip's box shows
    std::vector<Line> lines_;  // tipText_ wrapped at the box's width
    int grow_ = 0;             // pixels the box and the window have grown by for the tip
    bool scrolls_ = false;     // the tip needs more room than the work area gives: it scrolls
    int topLine_ = 0;          // the first line in view while it scrolls
};

}  // namespace velmora
