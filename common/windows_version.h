// The build number of the Windows the program runs on, and what it means for the browser that
// shows the buttons.
#pragma once

#include <functional>

namespace velmora {

// The first build of Windows 11. Windows 11 has no Internet Explorer desktop browser, the only
// browser that shows toolbar buttons added through the registry.
inline constexpr unsigned long kWindows11FirstBuild = 22000;

// The build number the system reports (RtlGetVersion), which GetVersionEx would cap at Windows 8's
// for a program whose manifest does not name the newer versions; 0 when it cannot be read.
unsigned long RunningWindowsBuild();

// Where a window or a command asks for the build number: the running system's in the program, a
// fixed one in tests (Wine reports no Windows 11).
using WindowsBuildSource = std::function<unsigned long()>;

// Whether build `build` is Windows 11 or later, where no browser shows the buttons. Windows 10 is
// not: whether its Internet Explorer still starts depends on the edition and on an update of
// Microsoft Edge that leaves no documented trace.
constexpr bool LacksInternetExplorer(unsigned long build) {
    return build >= kWindows11FirstBuild;
}

}  // namespace velmora
