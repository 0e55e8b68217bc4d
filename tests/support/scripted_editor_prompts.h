// Answers everything the editor asks from a script, and records what was asked: message boxes
// (as ScriptedPrompts does), notices, file dialogs, the icon library and the tip of the day.
#pragma once

#include "mainwindow/editor_prompts.h"
#include "tests/support/scripted_prompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace velmora::testing {

struct OpenDialogCall {
    std::wstring filter;
    std::wstring title;
    std::wstring folder;
};

class ScriptedEditorPrompts : public EditorPrompts {
public:
    void SetOwner(HWND window) override { owner = window; }
    int Message(const std::wstring& text, const std::wstring& title, UINT style) override {
        return boxes.Message(text, title, style);
    }
    void ShowNotice(Notice notice) override {
        notices.push_back(notice);
        Opened(L"notice");
    }
    std::wstring ShowOpenDialog(const std::wstring& filter, const std::wstring& title,
                                const std::wstring& folder) override {
        openDialogs.push_back({filter, title, folder});
        return Next(openAnswers, std::wstring());
    }
    std::wstring ShowSaveDialog(const std::wstring& filter, const std::wstring& title, const std::wstring& folder,
                                const std::wstring& fileName) override {
        saveDialogs.push_back({filter, title, folder + L"|" + fileName});
        return Next(saveAnswers, std::wstring());
    }
    int ChooseLibraryIcon(int current) override {
        libraryOpenedWith.push_back(current);
        return Next(libraryAnswers, 0);
    }
    bool ShowTipOfTheDay(bool showTipsAtStartup) override {
        tipsOpenedWith.push_back(showTipsAtStartup);
        tipOwnerShown.push_back(owner && ::IsWindowVisible(owner));
        Opened(L"tip");
        return Next(tipAnswers, showTipsAtStartup);
    }
    // Recorded with the message boxes, as one with "OK" and the icon.
    void ShowSummary(const std::wstring& text, const std::wstring& title, UINT icon) override {
        if (whileSummaryShows) whileSummaryShows();
        boxes.Message(text, title, MB_OK | icon);
    }

    ScriptedPrompts boxes;                 // script message box answers with boxes.Answer(...)
    std::deque<std::wstring> openAnswers;  // a file dialog with no answer left is cancelled
    std::deque<std::wstring> saveAnswers;
    std::deque<int> libraryAnswers;  // 0 cancels
    std::deque<bool> tipAnswers;     // the check box at close; unscripted: left as it was
    std::vector<Notice> notices;
    std::vector<OpenDialogCall> openDialogs;
    std::vector<OpenDialogCall> saveDialogs;  // folder: the folder, "|" and the file name proposed
    std::vector<int> libraryOpenedWith;
    std::vector<bool> tipsOpenedWith;
    std::vector<bool> tipOwnerShown;  // whether the window owning the tip was on the screen then
    // The notices and tips in the order they opened, each "notice" or "tip" followed by " over the
    // window" when the window owning it was on the screen then.
    std::vector<std::wstring> opened;
    HWND owner = nullptr;
    std::function<void()> whileSummaryShows;  // runs as a summary shows

private:
    void Opened(const wchar_t* what) {
        opened.push_back(what + std::wstring(owner && ::IsWindowVisible(owner) ? L" over the window" : L""));
    }
    template <typename T>
    static T Next(std::deque<T>& answers, T otherwise) {
        if (answers.empty()) return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace velmora::testing
