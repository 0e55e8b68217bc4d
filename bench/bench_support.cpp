#include "bench/bench_support.h"

#include "bench/button_mix.h"
#include "buttons/stored_layout.h"
#include "settings/preferences.h"

#include <algorithm>

namespace velmora::bench {

namespace {

const wchar_t* const kScratchRoot = L"Software\\Velmora Bench";

bool Redirect(HKEY predefined, const std::wstring& path) {
    HKEY scratch = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &scratch, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = ::RegOverridePredefKey(predefined, scratch);
    ::RegCloseKey(scratch);
    return status == ERROR_SUCCESS;
}

}  // namespace

ScratchRegistry::ScratchRegistry()
    : path_(std::wstring(kScratchRoot) + L"\\" + std::to_wstring(::GetCurrentProcessId())) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    // The machine's root first: it is made through the real current user's root.
    ok_ = Redirect(HKEY_LOCAL_MACHINE, path_ + L"\\HKLM") && Redirect(HKEY_CURRENT_USER, path_ + L"\\HKCU");
}

ScratchRegistry::~ScratchRegistry() {
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratchRoot);  // only when no other run is using it
}

void ScratchRegistry::Clear() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, nullptr);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, nullptr);
}

void SeedButtons(int count, const std::wstring& programFolder) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvale");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Extensions");
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer\\Extensions");
    StoreShowTipsAtStartup(SystemRegistry(), L"vlm", false);
    if (count == 0) return;

    RegistryStores stores;
    for (int slot = 0; slot < count; ++slot) {
        const MixedButton button = MixedButtonAt(slot, programFolder);
        ButtonRecord record;
        switch (button.kind) {
        case IconKind::Library:
            record.icon = std::to_wstring(button.number);
            break;
        case IconKind::Program:
            record.icon = L"program";
            break;
        case IconKind::Disk:
            record.icon = L"disk";
            break;
        }
        record.iconFile = button.iconFile;
        record.program = button.program;
        record.buttonText = button.buttonText;
        record.menuText = button.menuText;
        record.menuStatusBar = button.menuStatusBar;
        record.arguments = button.arguments;
        record.link = button.link;
        record.scope = button.allUsers ? kScopeAllUsers : kScopeCurrentUser;
        static_cast<void>(WriteButtonRecord(stores.records, slot, record, RecordValueOrder::Add));
    }
    static_cast<void>(WriteButtonCount(stores.records, count));
}

double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER value{};
        ::QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring ThisProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace velmora::bench
