// The window of "&Check Buttons...": what a check of the buttons found, one finding per line (the
// button, what is wrong, what a repair will do), or that all of them are in order; "Repair" (only
// when something can be repaired) and "Close". After a repair the buttons are checked again and
// shown, and the main window is told so that its list is read again. On Windows 11 a note above
// them says that no browser there shows the buttons; it is information, not a finding.
#pragma once

#include "buttons/file_places.h"
#include "checkup/findings.h"
#include "common/window_base.h"
#include "common/windows_version.h"
#include "settings/registry_api.h"

#include <functional>
#include <string>

namespace velmora {

inline constexpr const wchar_t* kCheckCaption = L"Check Buttons";

class CheckWindow : public Dialog {
public:
    // Control ids; "Close" is IDCANCEL.
    static constexpr int kLabel1 = 100;
    static constexpr int kText1 = 101;     // the findings, read-only
    static constexpr int kCommand1 = 102;  // "Repair"
    static constexpr int kLabel2 = 103;    // the note about Windows 11, there only

    // afterRepair runs after every repair that changed something (the main window reads its list
    // again). windowsBuild: the build number of the Windows it runs on.
    CheckWindow(RegistryApi& registry, FilePlaces places, std::function<void()> afterRepair = {},
                unsigned long windowsBuild = RunningWindowsBuild());
    ~CheckWindow() override;

    const ButtonCheck& check() const { return check_; }

protected:
    void OnInit() override { Form_Load(); }
    bool OnCommand(int id, int code, HWND control) override;
    // Enter presses "Repair" when it has the focus, else "Close".
    void OnOK() override;

private:
    void Form_Load();
    void Command1_Click();
    // Shows lines: the heading over them, the lines in the box, "Repair" enabled when it has work.
    void ShowLines(const std::wstring& heading, const std::vector<std::wstring>& lines);
    // Puts the note about Windows 11 at the top, as tall as its text needs, and moves the rest down.
    void AddWindows11Note();

    RegistryApi& registry_;
    FilePlaces places_;
    std::function<void()> afterRepair_;
    unsigned long windowsBuild_;
    ButtonCheck check_;
};

}  // namespace velmora
