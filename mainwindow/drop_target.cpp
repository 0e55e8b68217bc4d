#include "mainwindow/drop_target.h"

#include <shellapi.h>

#include <utility>

namespace velmora {

namespace {

// Frees a storage medium that GetData handed out.
class Medium {
public:
    Medium() = default;
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    ~Medium() {
        if (filled_) ::ReleaseStgMedium(&medium_);
    }
    // Asks the data for one clipboard format in global memory.
    bool Get(IDataObject* data, CLIPFORMAT format) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        filled_ = SUCCEEDED(data->GetData(&wanted, &medium_));
        if (filled_ && (medium_.tymed != TYMED_HGLOBAL || !medium_.hGlobal)) return false;
        return filled_;
    }
    HGLOBAL memory() const { return medium_.hGlobal; }

private:
    STGMEDIUM medium_{};
    bool filled_ = false;
};

std::wstring FirstDroppedFile(IDataObject* data) {
    Medium medium;
    if (!medium.Get(data, CF_HDROP)) return {};
    HDROP drop = static_cast<HDROP>(medium.memory());
    if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring file(length + 1, L'\0');
    file.resize(::DragQueryFileW(drop, 0, file.data(), length + 1));
    return file;
}

// The characters of a text in global memory before its first NUL, never past the memory's end
// (a source may leave the NUL out).
template <typename Char>
std::basic_string<Char> TextIn(HGLOBAL memory) {
    const size_t capacity = ::GlobalSize(memory) / sizeof(Char);
    const Char* chars = static_cast<const Char*>(::GlobalLock(memory));
    if (!chars) return {};
    size_t length = 0;
    while (length < capacity && chars[length] != 0) ++length;
    std::basic_string<Char> text(chars, length);
    ::GlobalUnlock(memory);
    return text;
}

std::wstring DroppedText(IDataObject* data) {
    Medium unicode;
    if (unicode.Get(data, CF_UNICODETEXT)) return TextIn<wchar_t>(unicode.memory());
    Medium ansi;
    if (!ansi.Get(data, CF_TEXT)) return {};
    const std::string text = TextIn<char>(ansi.memory());
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The path a drag offers: the first file of a file list (CF_HDROP); else its text, read as
// Unicode (CF_UNICODETEXT) or else in the ANSI code page (CF_TEXT), up to its first NUL and its
// first line break (browsers end a dragged address with one). Empty when there is nothing the
// editor can use: no such data, an empty file list, text of blanks only.
std::wstring DroppedPath(IDataObject* data) {
    if (!data) return {};
    std::wstring path = FirstDroppedFile(data);
    if (path.empty()) path = DroppedText(data);
    path = path.substr(0, path.find_first_of(L"\r\n"));
    if (path.find_first_not_of(L" \t") == std::wstring::npos) return {};
    return path;
}

}  // namespace

// The COM object OLE calls while a drag passes over the window.
class DropTarget final : public IDropTarget {
public:
    DropTarget(HWND window, std::vector<DropZone> zones) : window_(window), zones_(std::move(zones)) {}
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // Calls that still come after the registration was withdrawn are refused.
    void Disconnect() { zones_.clear(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // The data is read once when the drag comes in, so that moving over the window stays cheap.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        offered_ = DroppedPath(data);
        *effect = Effect(ZoneAt(point), *effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = Effect(ZoneAt(point), *effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        offered_.clear();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        offered_ = DroppedPath(data);
        const DropZone* zone = ZoneAt(point);
        *effect = Effect(zone, *effect);
        const std::wstring path = std::exchange(offered_, std::wstring());
        if (*effect == DROPEFFECT_NONE || !zone->onDrop) return S_OK;
        // The handler may show boxes; while the drop lasts the program dragged from waits for it.
        // The drop ends here, and the handler runs from the window's own message queue.
        pending_ = {zone->onDrop, path};
        ::PostMessageW(window_, DropArea::kRunDropMessage, 0, 0);
        return S_OK;
    }

    void RunPendingDrop() {
        DropZone::Handler handler = std::exchange(pending_.first, nullptr);
        const std::wstring path = std::exchange(pending_.second, std::wstring());
        if (!handler || zones_.empty()) return;
        // The handler may show a modal notice, during which the window can go away and take
        // the registration with it: it runs from its own copy, with this object kept alive.
        AddRef();
        handler(path);
        Release();
    }

private:
    ~DropTarget() = default;

    // The zone with a visible control under the point (in screen coordinates), or null.
    const DropZone* ZoneAt(POINTL point) const {
        const POINT at{point.x, point.y};
        for (const DropZone& zone : zones_) {
            for (HWND control : zone.controls) {
                RECT place{};
                if (::IsWindowVisible(control) && ::GetWindowRect(control, &place) && ::PtInRect(&place, at)) {
                    return &zone;
                }
            }
        }
        return nullptr;
    }

    // "copy" over a zone for usable data, when the source allows copying; "none" otherwise.
    DWORD Effect(const DropZone* zone, DWORD allowed) const {
        return zone && !offered_.empty() && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }

    LONG references_ = 1;
    HWND window_;
    std::vector<DropZone> zones_;
    std::wstring offered_;
    std::pair<DropZone::Handler, std::wstring> pending_;  // a drop whose handler has not run yet
};

DropArea::DropArea(HWND window, std::vector<DropZone> zones)
    : window_(window), target_(new DropTarget(window, std::move(zones))) {
    registered_ = SUCCEEDED(::RegisterDragDrop(window_, target_.get()));
}

DropArea::~DropArea() {
    Revoke();
}

void DropArea::Revoke() {
    target_->Disconnect();
    if (registered_) ::RevokeDragDrop(window_);
    registered_ = false;
}

IDropTarget* DropArea::target() const {
    return target_.get();
}

void DropArea::RunPendingDrop() {
    target_->RunPendingDrop();
}

}  // namespace velmora
