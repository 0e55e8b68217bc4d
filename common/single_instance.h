// Tells whether the editor already runs in this user's session, by a named mutex that a running
// editor holds (a window title could belong to any program).
//
// The editor owns the mutex for as long as it runs; what counts is that ownership, not that the name
// exists. A script command that only looks (EditorIsOpen) opens the name for a moment and owns it for
// that moment at most: neither fools an editor starting meanwhile, nor another script looking meanwhile.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

namespace velmora {

// "Local\" keeps it to this session; other users' sessions have their own.
inline constexpr const wchar_t* kEditorMutexName = L"Local\\Corvale.Velmora.Editor";

class SingleInstance {
public:
    SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // Whether another editor held the mutex when this one was made.
    bool AnotherIsRunning() const { return anotherIsRunning_; }

private:
    UniqueKernelHandle mutex_;
    bool owned_ = false;
    bool anotherIsRunning_ = false;
};

// Whether an editor runs in this session now, without making the mutex nor keeping it.
bool EditorIsOpen();

}  // namespace velmora
