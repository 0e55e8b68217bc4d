// The button operations against the registry calls they cannot do without. In process, with the
// current user's and the machine's roots mapped onto scratch keys:
//   add     a 20th button to a list of 19;
//   update  button 10 of 20 (new texts);
//   delete  the first of 20 buttons (the other 19 move down a slot).
// Each is timed through ButtonOperations and, from the same starting registry, as a loop of bare
// RegCreateKeyExW / RegSetValueExW / RegDeleteTreeW calls that leaves the same keys and values
// behind. Each run times both, in turn. Prints one line per operation:
//   operation <name> <median ms> <median ms of the bare calls> <median of the runs' ratios>
//             <registry calls> <bare calls>
//
//   operations_bench [RUNS]
#include "bench/bench_support.h"
#include "buttons/button_mapping.h"
#include "buttons/button_operations.h"
#include "buttons/stored_layout.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora::bench {
namespace {

constexpr int kListSize = 20;
constexpr int kUpdatedRow = 9;

// No message may come: every one is a failure of the operation.
class FailOnMessage : public Prompts {
public:
    int Message(const std::wstring& text, const std::wstring& title, UINT) override {
        std::fwprintf(stderr, L"unexpected message \"%ls\": %ls\n", title.c_str(), text.c_str());
        failed = true;
        return IDOK;
    }
    bool failed = false;
};

// The system's registry, counting the calls that reach it.
class CountingRegistry : public RegistryApi {
public:
    LSTATUS OpenKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        ++calls;
        return RegistryApi::OpenKey(root, path, access, result);
    }
    LSTATUS CreateKey(HKEY root, const wchar_t* path, REGSAM access, HKEY* result) override {
        ++calls;
        return RegistryApi::CreateKey(root, path, access, result);
    }
    LSTATUS QueryValue(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size) override {
        ++calls;
        return RegistryApi::QueryValue(key, name, type, data, size);
    }
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) override {
        ++calls;
        return RegistryApi::SetValue(key, name, type, data, size);
    }
    LSTATUS DeleteValue(HKEY key, const wchar_t* name) override {
        ++calls;
        return RegistryApi::DeleteValue(key, name);
    }
    LSTATUS DeleteKey(HKEY key, const wchar_t* subKey, REGSAM view) override {
        ++calls;
        return RegistryApi::DeleteKey(key, subKey, view);
    }
    LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength) override {
        ++calls;
        return RegistryApi::EnumKey(key, index, name, nameLength);
    }
    LSTATUS EnumValue(HKEY key, DWORD index, wchar_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                      DWORD* dataSize) override {
        ++calls;
        return RegistryApi::EnumValue(key, index, name, nameLength, type, data, dataSize);
    }
    LSTATUS QueryInfoKey(HKEY key, DWORD* valueCount, DWORD* maxValueNameLength, DWORD* maxValueDataSize) override {
        ++calls;
        return RegistryApi::QueryInfoKey(key, valueCount, maxValueNameLength, maxValueDataSize);
    }
    LSTATUS CloseKey(HKEY key) override {
        ++calls;
        return RegistryApi::CloseKey(key);
    }
    int calls = 0;
};

ButtonDraft Draft(int index, const std::wstring& text = L"Button ") {
    ButtonDraft draft;
    const std::wstring number = std::to_wstring(index + 1);
    draft.button.fileToLaunch = L"C:\\Tools\\tool" + number + L".exe";
    draft.button.buttonText = text + number;
    draft.button.menuText = L"Menu item " + number;
    draft.button.statusBarText = L"Starts " + text + number;
    draft.button.iconKind = IconKind::Library;
    draft.button.libraryNumber = index % kLibraryIconCount + 1;
    return draft;
}

// The editor's model and operations over a list of `rows` buttons, added through the operations.
struct Editor {
    Editor(RegistryApi& registry, const std::wstring& programFolder, int rows)
        : stores(registry), operations(list, stores, prompts, programFolder) {
        for (int row = 0; row < rows; ++row) operations.AddButton(Draft(row));
    }
    ButtonList list;
    RegistryStores stores;
    FailOnMessage prompts;
    ButtonOperations operations;
};

// The bare calls: one key created and its values set, or one key deleted with what is below it.
void WriteKey(const std::wstring& path, const NamedTexts& values, int& calls) {
    HKEY key = nullptr;
    ++calls;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    for (const auto& [name, text] : values) {
        ++calls;
        ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    ++calls;
    ::RegCloseKey(key);
}

void DeleteKey(const std::wstring& path, int& calls) {
    ++calls;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

const std::wstring kEntries = L"Software\\Microsoft\\Internet Explorer\\";
const std::wstring kVelmora = L"Software\\Corvale\\Velmora\\";

NamedTexts EntryValues(const ButtonRow& row, const std::wstring& programFolder) {
    return velmora::EntryValues(EntryFor(row.button, programFolder));
}

NamedTexts RecordValues(const ButtonRow& row, const std::wstring& programFolder, RecordValueOrder order) {
    return velmora::RecordValues(RecordFor(row.button, programFolder), order);
}

// One operation: how it runs through the editor, and the bare calls of the same outcome.
struct Operation {
    const wchar_t* name;
    int startRows;
    std::function<bool(Editor&)> run;
    // Given the list after the operation; answers the number of calls made.
    std::function<int(const std::vector<ButtonRow>&)> bare;
    std::vector<double> times{};
    std::vector<double> bareTimes{};
    int calls = 0;
    int bareCalls = 0;
};

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora;
    using namespace velmora::bench;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    ScratchRegistry scratch;
    if (!scratch.ok()) {
        std::fwprintf(stderr, L"cannot redirect the registry onto scratch keys\n");
        return 1;
    }
    // Library icons make no files: the folder is only named in the values.
    const std::wstring folder = ThisProgramFolder();

    std::vector<Operation> operations;
    operations.push_back({L"add", kListSize - 1,
                          [](Editor& editor) { return editor.operations.AddButton(Draft(kListSize - 1)).done; },
                          [&folder](const std::vector<ButtonRow>& rows) {
                              int calls = 0;
                              const int slot = kListSize - 1;
                              WriteKey(kEntries + ToolbarEntrySection(slot), EntryValues(rows[slot], folder), calls);
                              WriteKey(kVelmora + kAddedButtons, {{kCountValue, std::to_wstring(kListSize)}}, calls);
                              WriteKey(kVelmora + ButtonRecordSection(slot),
                                       RecordValues(rows[slot], folder, RecordValueOrder::Add), calls);
                              return calls;
                          }});
    operations.push_back({L"update", kListSize,
                          [](Editor& editor) {
                              return editor.operations.UpdateButton(kUpdatedRow, Draft(kUpdatedRow, L"Changed ")).done;
                          },
                          [&folder](const std::vector<ButtonRow>& rows) {
                              int calls = 0;
                              WriteKey(kEntries + ToolbarEntrySection(kUpdatedRow),
                                       EntryValues(rows[kUpdatedRow], folder), calls);
                              WriteKey(kVelmora + ButtonRecordSection(kUpdatedRow),
                                       RecordValues(rows[kUpdatedRow], folder, RecordValueOrder::Add), calls);
                              return calls;
                          }});
    operations.push_back({L"delete", kListSize, [](Editor& editor) { return editor.operations.DeleteButton(0); },
                          [&folder](const std::vector<ButtonRow>& rows) {
                              int calls = 0;
                              WriteKey(kVelmora + kAddedButtons, {{kCountValue, std::to_wstring(rows.size())}}, calls);
                              for (int slot = 0; slot < kListSize; ++slot) {
                                  DeleteKey(kVelmora + ButtonRecordSection(slot), calls);
                                  DeleteKey(kEntries + ToolbarEntrySection(slot), calls);
                              }
                              for (int slot = 0; slot < static_cast<int>(rows.size()); ++slot) {
                                  WriteKey(kEntries + ToolbarEntrySection(slot), EntryValues(rows[slot], folder),
                                           calls);
                                  WriteKey(kVelmora + ButtonRecordSection(slot),
                                           RecordValues(rows[slot], folder, RecordValueOrder::Rewrite), calls);
                              }
                              return calls;
                          }});

    bool failed = false;
    for (Operation& operation : operations) {
        // Once untimed, counting the registry calls; its list is what the bare calls reproduce.
        scratch.Clear();
        CountingRegistry counting;
        Editor counted(counting, folder, operation.startRows);
        counting.calls = 0;
        failed = !operation.run(counted) || counted.prompts.failed || failed;
        operation.calls = counting.calls;
        const std::vector<ButtonRow> after = counted.list.rows;

        for (int run = 0; run < runs; ++run) {
            for (int turn = 0; turn < 2; ++turn) {
                scratch.Clear();
                Editor editor(SystemRegistry(), folder, operation.startRows);
                if ((turn + run) % 2 == 0) {
                    const double started = NowMs();
                    failed = !operation.run(editor) || editor.prompts.failed || failed;
                    operation.times.push_back(NowMs() - started);
                } else {
                    const double started = NowMs();
                    operation.bareCalls = operation.bare(after);
                    operation.bareTimes.push_back(NowMs() - started);
                }
            }
        }
    }
    for (const Operation& operation : operations) {
        // Each run's own ratio of its two halves, which ran one right after the other.
        std::vector<double> ratios;
        for (size_t run = 0; run < operation.times.size(); ++run) {
            ratios.push_back(operation.times[run] / operation.bareTimes[run]);
        }
        std::wprintf(L"operation %ls %.3f %.3f %.3f %d %d\n", operation.name, Median(operation.times),
                     Median(operation.bareTimes), Median(ratios), operation.calls, operation.bareCalls);
    }
    return failed ? 1 : 0;
}
