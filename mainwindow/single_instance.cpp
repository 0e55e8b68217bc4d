#include "mainwindow/single_instance.h"

namespace velmora {

namespace {

// "Local\" keeps it to this session; other users' sessions have their own.
const wchar_t* const kMutexName = L"Local\\Corvale.Velmora.Editor";

}  // namespace

SingleInstance::SingleInstance() {
    mutex_ = ::CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = ::GetLastError();
    // A name held by another running editor answers "already exists" (or, made by another
    // account in this session, "access denied").
    anotherIsRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

SingleInstance::~SingleInstance() {
    if (mutex_) ::CloseHandle(mutex_);
}

}  // namespace velmora
