// Owning wrappers for the Windows handles the programs hold, so that no handle is closed by hand.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <utility>

namespace velmora {

// A handle with a closing function; Traits::None() is the value that means "none".
template <typename T, auto Close>
struct NullIsNone {
    static T None() { return T{}; }
    static void Free(T value) { Close(value); }
};

template <typename T, typename Traits>
class UniqueHandleT {
public:
    UniqueHandleT() = default;
    explicit UniqueHandleT(T value) : value_(value) {}
    UniqueHandleT(const UniqueHandleT&) = delete;
    UniqueHandleT& operator=(const UniqueHandleT&) = delete;
    UniqueHandleT(UniqueHandleT&& other) noexcept : value_(other.release()) {}
    UniqueHandleT& operator=(UniqueHandleT&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandleT() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::None(); }
    T release() { return std::exchange(value_, Traits::None()); }
    void reset(T value = Traits::None()) {
        T old = std::exchange(value_, value);
        if (old != Traits::None()) Traits::Free(old);
    }
    // For out-parameters: frees the current handle and hands out the slot.
    T* put() {
        reset();
        return &value_;
    }

private:
    T value_ = Traits::None();
};

template <typename T, auto Close>
using UniqueHandle = UniqueHandleT<T, NullIsNone<T, Close>>;

struct FindHandleTraits {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE find) { ::FindClose(find); }
};
struct FileHandleTraits {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE file) { ::CloseHandle(file); }
};

// Kernel objects whose "none" is null: processes, threads, mutexes, events.
inline void CloseKernelHandle(HANDLE handle) {
    ::CloseHandle(handle);
}
inline void CloseIcon(HICON icon) {
    ::DestroyIcon(icon);
}
inline void CloseFont(HFONT font) {
    ::DeleteObject(font);
}
inline void CloseBitmap(HBITMAP bitmap) {
    ::DeleteObject(bitmap);
}
// Only for menus no window holds: a window's menu bar goes with the window.
inline void CloseMenu(HMENU menu) {
    ::DestroyMenu(menu);
}
inline void CloseImageList(HIMAGELIST images) {
    ::ImageList_Destroy(images);
}
inline void CloseBrush(HBRUSH brush) {
    ::DeleteObject(brush);
}
inline void CloseMemoryDc(HDC dc) {
    ::DeleteDC(dc);
}

using UniqueHicon = UniqueHandle<HICON, CloseIcon>;
using UniqueHfont = UniqueHandle<HFONT, CloseFont>;
using UniqueHbitmap = UniqueHandle<HBITMAP, CloseBitmap>;
using UniqueHmenu = UniqueHandle<HMENU, CloseMenu>;
using UniqueHimagelist = UniqueHandle<HIMAGELIST, CloseImageList>;
using UniqueHbrush = UniqueHandle<HBRUSH, CloseBrush>;
// A device context of its own (CreateCompatibleDC), not one borrowed from a window.
using UniqueMemoryDc = UniqueHandle<HDC, CloseMemoryDc>;
// FindFirstFileW's search, which INVALID_HANDLE_VALUE means none of.
using UniqueFindHandle = UniqueHandleT<HANDLE, FindHandleTraits>;
// CreateFileW's file, which INVALID_HANDLE_VALUE means none of.
using UniqueFileHandle = UniqueHandleT<HANDLE, FileHandleTraits>;
// A process, thread, mutex or event, which null means none of.
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// The two handles CreateProcessW hands out.
struct UniqueProcessInfo {
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    UniqueProcessInfo() = default;
    explicit UniqueProcessInfo(const PROCESS_INFORMATION& started)
        : process(started.hProcess), thread(started.hThread), processId(started.dwProcessId) {}
};

// A window's device context (GetDC, or the screen's for no window), released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A window's painting between BeginPaint and EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object (font, brush, pen, bitmap) selected into a device context for the lifetime of this
// one; the object that was selected before is selected back when it goes, so that the object can
// be freed and the device context released in the state it was given.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? ::SelectObject(dc, object) : nullptr) {
        if (old_ == HGDI_ERROR) old_ = nullptr;
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer that releases what it holds.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller holds (a newly made object's first one, say).
    explicit ComPtr(I* owned) : ptr_(owned) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    I* get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }
    I** put() {
        reset();
        return &ptr_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    template <typename Other>
    ComPtr<Other> query() const {
        ComPtr<Other> other;
        if (ptr_) ptr_->QueryInterface(__uuidof(Other), other.put_void());
        return other;
    }

private:
    I* ptr_ = nullptr;
};

// Keeps COM initialised on this thread for the lifetime of the object.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }

private:
    bool initialised_;
};

}  // namespace velmora
