#include "common/single_instance.h"

namespace velmora {

namespace {

// How long a look waits for the mutex: far longer than another look holds it, and only paid while an
// editor really holds it.
constexpr DWORD kLookMilliseconds = 200;

bool Acquired(DWORD wait) {
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

}  // namespace

SingleInstance::SingleInstance() {
    mutex_.reset(::CreateMutexW(nullptr, TRUE, kEditorMutexName));
    if (!mutex_) {
        // Made by another account's editor in this session: it is there and not ours.
        anotherIsRunning_ = ::GetLastError() == ERROR_ACCESS_DENIED;
        return;
    }
    // An existing name does not give the initial ownership: take it unless an editor holds it.
    owned_ =
        ::GetLastError() != ERROR_ALREADY_EXISTS || Acquired(::WaitForSingleObject(mutex_.get(), kLookMilliseconds));
    anotherIsRunning_ = !owned_;
}

SingleInstance::~SingleInstance() {
    if (owned_) ::ReleaseMutex(mutex_.get());
}

bool EditorIsOpen() {
    const UniqueKernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kEditorMutexName));
    if (!mutex) return ::GetLastError() == ERROR_ACCESS_DENIED;  // another account's editor
    const bool free = Acquired(::WaitForSingleObject(mutex.get(), kLookMilliseconds));
    if (free) ::ReleaseMutex(mutex.get());
    return !free;
}

}  // namespace velmora
