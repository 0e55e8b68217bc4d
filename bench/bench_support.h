// What the benchmark programs share: a registry of their own to work in, and timing.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "common/prompts.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace velmora::bench {

// Answers every question as a user who only closes what opens; no message is expected, and one
// that comes is printed.
class QuietPrompts : public EditorPrompts {
public:
    void SetOwner(HWND) override {}
    int Message(const std::wstring& text, const std::wstring& title, UINT) override {
        std::fwprintf(stderr, L"unexpected message \"%ls\": %ls\n", title.c_str(), text.c_str());
        return IDCANCEL;
    }
    void ShowNotice(Notice) override {}
    std::wstring ShowOpenDialog(const std::wstring&, const std::wstring&, const std::wstring&) override { return {}; }
    std::wstring ShowSaveDialog(const std::wstring&, const std::wstring&, const std::wstring&,
                                const std::wstring&) override {
        return {};
    }
    int ChooseLibraryIcon(int) override { return 0; }
    bool ShowTipOfTheDay(bool showTipsAtStartup) override { return showTipsAtStartup; }
    void ShowSummary(const std::wstring& text, const std::wstring& title, UINT icon) override {
        Message(text, title, MB_OK | icon);
    }
};

// Maps HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE onto scratch keys under the real current user's
// "Software\Velmora Bench\<process id>" for as long as it lives, so that nothing outside them is
// read or written; the scratch keys are removed at the end.
class ScratchRegistry {
public:
    ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;
    ~ScratchRegistry();

    bool ok() const { return ok_; }
    // Empties both scratch roots.
    void Clear();

private:
    std::wstring path_;
    bool ok_ = false;
};

// Records `count` buttons for the editor whose folder is programFolder, in the registry as it is
// mapped now, after removing every record and browser entry there was; the tip of the day is
// switched off. The buttons are those of MixedButtonAt (button_mix.h), their icon kinds mixed.
void SeedButtons(int count, const std::wstring& programFolder);

// Milliseconds on the performance counter.
double NowMs();

// The median of some figures (the mean of the middle two for an even number).
double Median(std::vector<double> values);

// The folder of the running program, ending in a backslash.
std::wstring ThisProgramFolder();

}  // namespace velmora::bench
