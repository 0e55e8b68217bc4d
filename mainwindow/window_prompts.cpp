#include "mainwindow/window_prompts.h"

#include "dialogs/notice_window.h"
#include "dialogs/tip_window.h"
#include "mainwindow/icon_library_window.h"
#include "mainwindow/open_dialog.h"
#include "mainwindow/summary_window.h"

namespace velmora {

int WindowPrompts::Message(const std::wstring& text, const std::wstring& title, UINT style) {
    return ::MessageBoxW(owner_, text.c_str(), title.c_str(), style);
}

void WindowPrompts::ShowNotice(Notice notice) {
    NoticeWindow(notice, registry_).ShowModal(owner_);
}

std::wstring WindowPrompts::ShowOpenDialog(const std::wstring& filter, const std::wstring& title,
                                           const std::wstring& initialFolder) {
    return velmora::ShowOpenDialog(owner_, filter, title, initialFolder);
}

std::wstring WindowPrompts::ShowSaveDialog(const std::wstring& filter, const std::wstring& title,
                                           const std::wstring& initialFolder, const std::wstring& fileName) {
    return velmora::ShowSaveDialog(owner_, filter, title, initialFolder, fileName);
}

int WindowPrompts::ChooseLibraryIcon(int current) {
    IconLibraryWindow library(programFolder_, current);
    library.ShowModal(owner_);
    return library.chosen();
}

bool WindowPrompts::ShowTipOfTheDay(bool showTipsAtStartup) {
    TipWindow tip(registry_, programName_, programFolder_ + L"vlmtips.txt", showTipsAtStartup);
    tip.ShowModal(owner_);
    return tip.showTipsAtStartup();
}

void WindowPrompts::ShowSummary(const std::wstring& text, const std::wstring& title, UINT icon) {
    SummaryWindow(title, text, icon).ShowModal(owner_);
}

}  // namespace velmora
