// Dropping on the main window through OLE. A drag over one of the window's drop zones (the drop
// area, the file field) is offered "copy" when it carries something the editor can be filled
// from: a file list, or else a piece of text (a URL, a path). The drop hands the first file, or
// the text up to its first line break, to the zone's handler, once the drop has ended. Data the editor cannot use (an
// empty file list, text of blanks only) is offered "none" like any other.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace velmora {

class DropTarget;

// A place in a window that takes drops: some of its child controls, which behave as one, and
// what a drop there does with the path.
struct DropZone {
    using Handler = std::function<void(const std::wstring& path)>;
    std::vector<HWND> controls;
    Handler onDrop;
};

// Registers a window with OLE as the drop target of some zones made of its child controls, for
// as long as this object lives. Drags are accepted only over the zones; everywhere else in the
// window they are offered "none".
//
// The window itself is registered, not the controls: OLE finds the target under the mouse with
// WindowFromPoint, which looks through group boxes and static controls to the window below them,
// and then asks that window and its parents for a registered target. (A plain edit control takes
// no OLE drops of its own either; a zone gives it one.)
//
// Needs OLE on the thread (OleInitialize). Without it nothing is registered and the window
// takes no drops; it works otherwise.
class DropArea {
public:
    DropArea(HWND window, std::vector<DropZone> zones);
    ~DropArea();
    DropArea(const DropArea&) = delete;
    DropArea& operator=(const DropArea&) = delete;

    // Withdraws the registration. Call it while the window still exists (at WM_DESTROY at the
    // latest): OLE's hold on the target is let go only through a window that is still there.
    void Revoke();

    // A drop ends at once: its zone's handler runs later, when the window gets kRunDropMessage
    // from its message queue and calls RunPendingDrop.
    static constexpr UINT kRunDropMessage = WM_APP + 1;
    void RunPendingDrop();

    bool registered() const { return registered_; }
    // The object registered with OLE, for tests that drive a drag themselves.
    IDropTarget* target() const;

private:
    HWND window_;
    ComPtr<DropTarget> target_;
    bool registered_ = false;
};

}  // namespace velmora
