#include "common/windows_version.h"

#include <windows.h>

namespace velmora {

namespace {

// RtlGetVersion's answer; ntdll holds it on every version of Windows NT.
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

unsigned long RunningWindowsBuild() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return 0;
    const auto rtlGetVersion =
        reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (!rtlGetVersion) return 0;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtlGetVersion(&version) != 0) return 0;  // STATUS_SUCCESS is 0
    return version.dwBuildNumber;
}

}  // namespace velmora
