#include "common/buttons_lock.h"

namespace velmora {

ButtonsLock::ButtonsLock(DWORD waitMilliseconds) : mutex_(::CreateMutexW(nullptr, FALSE, kButtonsLockName)) {
    if (!mutex_) return;  // made by another account in this session: not ours to take
    const DWORD waited = ::WaitForSingleObject(mutex_.get(), waitMilliseconds);
    // A holder that ended without letting go leaves the lock to the next: what it left half
    // written is what the start-up and the check repair.
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

ButtonsLock::~ButtonsLock() {
    if (owned_) ::ReleaseMutex(mutex_.get());
}

}  // namespace velmora
