// Tells whether the editor already runs in this user's session, by a named object of its own
// (a window title could belong to any program).
#pragma once

#include <windows.h>

namespace velmora {

class SingleInstance {
public:
    SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // Whether another instance held the object when this one was made.
    bool AnotherIsRunning() const { return anotherIsRunning_; }

private:
    HANDLE mutex_ = nullptr;
    bool anotherIsRunning_ = false;
};

}  // namespace velmora
