// What the editor asks of the user, shown with real windows owned by the main window: message
// boxes, the notices, the open-file dialog, the icon library and the tip of the day.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "common/prompts.h"
#include "settings/registry_api.h"

#include <string>

namespace velmora {

class WindowPrompts : public EditorPrompts {
public:
    // programFolder ends in a backslash; programName names the tips switch.
    WindowPrompts(RegistryApi& registry, std::wstring programFolder, std::wstring programName)
        : registry_(registry), programFolder_(std::move(programFolder)), programName_(std::move(programName)) {}

    void SetOwner(HWND owner) override { owner_ = owner; }
    int Message(const std::wstring& text, const std::wstring& title, UINT style) override;
    void ShowNotice(Notice notice) override;
    std::wstring ShowOpenDialog(const std::wstring& filter, const std::wstring& title,
                                const std::wstring& initialFolder) override;
    std::wstring ShowSaveDialog(const std::wstring& filter, const std::wstring& title,
                                const std::wstring& initialFolder, const std::wstring& fileName) override;
    int ChooseLibraryIcon(int current) override;
    bool ShowTipOfTheDay(bool showTipsAtStartup) override;
    void ShowSummary(const std::wstring& text, const std::wstring& title, UINT icon) override;

private:
    RegistryApi& registry_;
    std::wstring programFolder_;
    std::wstring programName_;
    HWND owner_ = nullptr;
};

}  // namespace velmora
