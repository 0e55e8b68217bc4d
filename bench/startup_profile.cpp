// Where the editor's start-up time goes, step by step, in process: the same steps as vlm's
// wWinMain, with the registry mapped onto scratch keys that hold 20 recorded buttons, and beside
// them the same steps of the shaped window (shaped_window.h) with as many rows. The figures are
// medians of several rounds in one process (the first round, with cold caches, is left out),
// except the first line, which is this process's own start until main().
// Prints one line per step:
//   profile <step> <median ms>
//
//   startup_profile [ROUNDS]
#include "bench/bench_support.h"
#include "bench/button_mix.h"
#include "bench/shaped_window.h"
#include "buttons/stored_layout.h"
#include "mainwindow/main_window.h"
#include "buttons/file_places.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace velmora::bench {
namespace {

// Milliseconds since this process was created, on the system clock.
double SinceProcessStart() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

std::wstring SystemFolderFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora;
    using namespace velmora::bench;
    const double untilMain = SinceProcessStart();
    const int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 8;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ScratchRegistry scratch;
    if (!scratch.ok()) return 1;
    const std::wstring folder = ThisProgramFolder();

    std::map<std::wstring, std::vector<double>> steps;
    std::vector<std::wstring> order;
    auto record = [&](const std::wstring& step, double time, int round) {
        if (round == 0) return;
        if (!steps.count(step)) order.push_back(step);
        steps[step].push_back(time);
    };

    double started = NowMs();
    const bool oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    const double ole = NowMs() - started;
    started = NowMs();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const double commonControls = NowMs() - started;

    for (int round = 0; round < rounds; ++round) {
        {
            ButtonImages images;
            started = NowMs();
            images.LoadLibraryIcons(folder);
            record(L"library-images", NowMs() - started, round);
        }
        {
            SeedButtons(20, folder);
            ButtonList list;
            RegistryStores stores;
            QuietPrompts prompts;
            ButtonOperations operations(list, stores, prompts, folder);
            started = NowMs();
            operations.LoadAtStartup();
            record(L"load-20-buttons", NowMs() - started, round);
            // Its parts: reading each record (which tells a missing one too), the icons of programs
            // and files, the rewrite.
            started = NowMs();
            for (int slot = 0; slot < 20; ++slot) ReadButtonRecord(stores.records, slot);
            record(L"read-20-records", NowMs() - started, round);
            // Taking the icons, and the window's making of the list's images from the rows (which
            // takes them again), which the shaped window does as well.
            double taking = 0;
            for (int slot = 0; slot < 20; ++slot) {
                const MixedButton button = MixedButtonAt(slot, folder);
                if (button.kind == IconKind::Library) continue;
                started = NowMs();
                FileIconPicture(button.kind == IconKind::Program ? button.program : button.iconFile);
                taking += NowMs() - started;
            }
            record(L"icons-of-20-buttons", taking, round);
            ButtonImages images;
            images.LoadLibraryIcons(folder);
            started = NowMs();
            images.Place(list.rows);
            record(L"images-of-20-buttons", NowMs() - started, round);
            started = NowMs();
            operations.RewriteAllButtons();
            record(L"rewrite-20-buttons", NowMs() - started, round);
            started = NowMs();
            FileIconPicture(SystemFolderFile(L"notepad.exe"));
            record(L"one-program-icon", NowMs() - started, round);
            started = NowMs();
            FileIconPicture(LibraryHotIconFile(folder, 5));
            record(L"one-disk-icon", NowMs() - started, round);
        }
        for (int buttons : {0, 20}) {
            SeedButtons(buttons, folder);
            QuietPrompts prompts;
            MainWindow window(prompts);
            MainWindowSetup setup;
            setup.programFolder = folder;
            setup.programName = L"vlm";
            started = NowMs();
            HWND hwnd = window.Create(std::move(setup));
            record(L"create-window-" + std::to_wstring(buttons) + L"-buttons", NowMs() - started, round);
            started = NowMs();
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
            ::UpdateWindow(hwnd);
            record(L"show-window-" + std::to_wstring(buttons) + L"-buttons", NowMs() - started, round);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        }
        for (int rows : {0, 20}) {
            ShapedWindow window(rows, folder, false);
            started = NowMs();
            HWND hwnd = window.Create();
            record(L"shaped-create-window-" + std::to_wstring(rows) + L"-rows", NowMs() - started, round);
            started = NowMs();
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
            ::UpdateWindow(hwnd);
            record(L"shaped-show-window-" + std::to_wstring(rows) + L"-rows", NowMs() - started, round);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        }
    }
    std::wprintf(L"profile until-main %.1f\n", untilMain);
    std::wprintf(L"profile ole-initialize %.1f\n", ole);
    std::wprintf(L"profile init-common-controls %.1f\n", commonControls);
    for (const std::wstring& step : order) std::wprintf(L"profile %ls %.1f\n", step.c_str(), Median(steps[step]));
    if (oleStarted) ::OleUninitialize();
    return 0;
}
