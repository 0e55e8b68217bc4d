// One writer of the buttons at a time. The editor's operations, "vlm /import" and "vlm /repair"
// change the browser entries, the records and the buttons' files in several steps; "vlm /check"
// and "vlm /export" read them. Each takes this lock around its work, so that no reader meets a
// half-written slot and no two writers mix their buttons. The lock is a named mutex of this
// session, as the editor's own one is: it is released when its owner ends, however it ends.
//
// The same thread may take it again while it holds it (an import adds each button through the
// operation "Add Button" uses, which takes it too).
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

namespace velmora {

inline constexpr const wchar_t* kButtonsLockName = L"Local\\Corvale.Velmora.Buttons";

// How long a command waits for another one to finish before it gives up, and how long the
// editor's start and its operations wait.
inline constexpr DWORD kCommandLockWait = 60000;
inline constexpr DWORD kEditorLockWait = 20000;

class ButtonsLock {
public:
    // Waits up to waitMilliseconds for the lock; owned() tells whether it was had.
    explicit ButtonsLock(DWORD waitMilliseconds);
    ButtonsLock(const ButtonsLock&) = delete;
    ButtonsLock& operator=(const ButtonsLock&) = delete;
    ~ButtonsLock();

    bool owned() const { return owned_; }

private:
    UniqueKernelHandle mutex_;
    bool owned_ = false;
};

}  // namespace velmora
