// The start-up benchmark: starts a program, waits until its main window is visible, closes it,
// and times the span from the start of the process to the visible window on the performance
// counter. The cases take turns run by run, so that whatever else the machine does falls on all
// of them alike.
//
//   startup_driver RUNS PLAIN_PROGRAM SHAPED_PROGRAM EDITOR BUTTONS...
//
// PLAIN_PROGRAM is the plain-window yardstick, SHAPED_PROGRAM the window of the editor's shape,
// EDITOR is vlm.exe. Each BUTTONS figure gives two cases: the editor started with that many
// recorded buttons (library, program and disk icons mixed, the tip of the day switched off), and
// the shaped window started with as many rows of the same buttons. The records are written into
// the registry this driver runs with (the benchmark's own Wine prefix) before each start of the
// editor. The two cases of a figure are started one right after the other, in turns. Prints one
// line per case:
//   startup <case> <median ms> <median of the runs' ratios to the plain window>
//           <median of the runs' ratios to the shaped window with as many rows, 0 for the
//            yardsticks themselves> <each run's ms...>
#include "bench/bench_support.h"
#include "common/unique_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace velmora::bench {
namespace {

// The window classes of the plain window (plain_window.cpp), the shaped window
// (shaped_window.cpp) and the editor's main window (mainwindow/main_window.cpp).
const wchar_t* const kPlainWindowClass = L"VelmoraBenchPlainWindow";
const wchar_t* const kShapedWindowClass = L"VelmoraBenchShapedWindow";
const wchar_t* const kEditorWindowClass = L"VelmoraEditorForm";

struct Case {
    std::wstring name;
    std::wstring program;
    std::wstring arguments;
    int buttons = -1;                      // the editor's recorded buttons; -1 for the yardsticks
    const wchar_t* windowClass = nullptr;  // the class of its main window
    std::vector<double> times;
    int shaped = -1;  // the editor's case: the index of the shaped window with as many rows
};

std::wstring FullPath(const wchar_t* path) {
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameW(path, static_cast<DWORD>(std::size(full)), full, nullptr);
    return length ? std::wstring(full, length) : std::wstring(path);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// Starts the program and answers the milliseconds until its main window was visible, or a
// negative figure when it never showed one.
double TimeStart(const std::wstring& program, const std::wstring& arguments, const wchar_t* windowClass) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION launched{};
    const std::wstring folder = FolderOf(program);

    const double started = NowMs();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &launched)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return -1;
    }
    const UniqueProcessInfo process(launched);
    // Looked for by its class: one cheap question to the window server each time. Going through
    // every top-level window instead would keep the server busy while it starts the program,
    // the more so the more windows the program has.
    HWND found = nullptr;
    double shown = -1;
    while (NowMs() - started < 30000) {
        for (HWND hwnd = ::FindWindowExW(nullptr, nullptr, windowClass, nullptr); hwnd;
             hwnd = ::FindWindowExW(nullptr, hwnd, windowClass, nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == process.processId && ::IsWindowVisible(hwnd)) found = hwnd;
        }
        if (found) {
            shown = NowMs() - started;
            break;
        }
        if (::WaitForSingleObject(process.process.get(), 0) == WAIT_OBJECT_0) break;  // ended without a window
        ::Sleep(1);
    }
    if (found) ::PostMessageW(found, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.process.get(), 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.process.get(), 1);
        ::WaitForSingleObject(process.process.get(), 5000);
    }
    if (shown < 0) std::fwprintf(stderr, L"%ls showed no window of the class %ls\n", program.c_str(), windowClass);
    return shown;
}

}  // namespace
}  // namespace velmora::bench

int wmain(int argc, wchar_t** argv) {
    using namespace velmora::bench;
    if (argc < 5) {
        std::fwprintf(stderr, L"usage: startup_driver RUNS PLAIN_PROGRAM SHAPED_PROGRAM EDITOR BUTTONS...\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::wstring shaped = FullPath(argv[3]);
    const std::wstring editor = FullPath(argv[4]);
    std::vector<Case> cases;
    cases.push_back({L"plain", FullPath(argv[2]), L"", -1, kPlainWindowClass, {}, -1});
    // The cases go in groups started one right after the other: the plain window alone, then
    // each shaped window with its editor.
    std::vector<std::vector<size_t>> groups{{0}};
    for (int index = 5; index < argc; ++index) {
        const int buttons = _wtoi(argv[index]);
        const std::wstring count = std::to_wstring(buttons);
        cases.push_back({L"shaped" + count, shaped, count, -1, kShapedWindowClass, {}, -1});
        const int shapedCase = static_cast<int>(cases.size() - 1);
        cases.push_back({L"vlm" + count, editor, L"", buttons, kEditorWindowClass, {}, shapedCase});
        groups.push_back({cases.size() - 2, cases.size() - 1});
    }
    auto start = [&](Case& each) {
        if (each.buttons >= 0) SeedButtons(each.buttons, FolderOf(editor));
        return TimeStart(each.program, each.arguments, each.windowClass);
    };

    // One start of each first, untimed: the files are then in the cache for every timed run.
    for (Case& each : cases) start(each);
    for (int run = 0; run < runs; ++run) {
        // The order of the groups turns from run to run, so that no case always follows the same
        // one, and within a group every other run starts the other case first.
        for (size_t turn = 0; turn < groups.size(); ++turn) {
            std::vector<size_t> group = groups[(turn + run) % groups.size()];
            if (run % 2) std::reverse(group.begin(), group.end());
            for (size_t index : group) {
                Case& each = cases[index];
                const double time = start(each);
                if (time < 0) return 1;
                each.times.push_back(time);
                ::Sleep(100);
            }
        }
    }
    // Each run's own ratios to the yardsticks of the same run: the machine's load comes and goes
    // in spells longer than a run, and a ratio within one run compares starts made alike.
    auto medianRatio = [](const Case& each, const Case& yardstick) {
        std::vector<double> ratios;
        for (size_t run = 0; run < each.times.size(); ++run) ratios.push_back(each.times[run] / yardstick.times[run]);
        return Median(ratios);
    };
    for (const Case& each : cases) {
        const double toShaped = each.shaped >= 0 ? medianRatio(each, cases[static_cast<size_t>(each.shaped)]) : 0;
        std::wprintf(L"startup %ls %.1f %.3f %.3f", each.name.c_str(), Median(each.times),
                     medianRatio(each, cases.front()), toShaped);
        for (double time : each.times) std::wprintf(L" %.1f", time);
        std::wprintf(L"\n");
    }
    return 0;
}
