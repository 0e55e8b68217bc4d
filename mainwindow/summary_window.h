// The summary of an export or an import: what a message box with the same title, icon, text and
// "OK" shows, but with the text in a read-only box that scrolls once the window would be taller
// than half the screen, instead of a window that grows past the screen with a long report.
#pragma once

#include "common/window_base.h"

#include <string>

namespace velmora {

class SummaryWindow : public Dialog {
public:
    // Control ids; "OK" is IDOK.
    static constexpr int kImage1 = 100;  // the icon
    static constexpr int kText1 = 101;   // the text, read-only

    // icon: MB_ICONINFORMATION, MB_ICONEXCLAMATION, MB_ICONSTOP or none, as for a message box.
    SummaryWindow(std::wstring title, std::wstring text, UINT icon);
    ~SummaryWindow() override;

    // Whether the text is taller than the box and scrolls in it.
    bool scrolls() const { return scrolls_; }

protected:
    void OnInit() override { Form_Load(); }

private:
    void Form_Load();
    // The height the text takes wrapped at width pixels, with the window's font.
    int TextHeight(int width) const;

    std::wstring text_;
    UINT icon_;
    bool scrolls_ = false;
};

}  // namespace velmora
