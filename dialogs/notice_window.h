// The one-time notices (iemsgfrm, Form3, frmicomsg, Form5, and the one about Windows 11): a fixed
// text beside an icon, the check box "Show this message again in the future." and OK. OK, Enter and
// Esc store the check box in the notice's flag under Software\Corvale\Velmora\Messages ("yes" or
// "no"); the close box stores nothing, so the notice comes again.
#pragma once

#include "common/prompts.h"
#include "common/window_base.h"
#include "settings/preferences.h"
#include "settings/registry_stores.h"

namespace velmora {

class NoticeWindow : public Dialog {
public:
    // Control ids; Command1 (OK) is IDOK.
    static constexpr int kImage1 = 100;
    static constexpr int kLabel1 = 101;
    static constexpr int kCheck1 = 102;

    explicit NoticeWindow(Notice notice, RegistryApi& registry = SystemRegistry());
    ~NoticeWindow() override;

    Notice notice() const { return notice_; }

protected:
    void OnInit() override;
    void OnOK() override { Command1_Click(); }      // Enter
    void OnCancel() override { Command1_Click(); }  // Esc: OK is also the cancel button
    void OnCloseBox() override { Close(IDCANCEL); }

private:
    void Command1_Click();
    // Places the controls and grows the window where the fonts need more room than the twips.
    void Arrange(int clientWidthTwips, int clientHeightTwips);

    Notice notice_;
    CRegSettings preferences_;  // where the flag is kept
};

}  // namespace velmora
