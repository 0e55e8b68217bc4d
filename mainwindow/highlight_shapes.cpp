#include "mainwindow/highlight_shapes.h"

#include "mainwindow/main_window_layout.h"

#include <algorithm>

namespace velmora {

namespace {

const wchar_t* const kShapeClass = L"VelmoraHighlightShape";

void CloseRegion(HRGN region) {
    ::DeleteObject(region);
}
using UniqueHrgn = UniqueHandle<HRGN, CloseRegion>;

// Where each outline sits inside its holding frame (the file group, the icon group, the text
// group, the scope group, and "Add Button" inside "Button Properties:"), and the controls it
// surrounds.
struct ShapePlace {
    TwipsRect holdingFrame;  // relative to frame1, which is at 0, 0 of itself
    TwipsRect inside;
    std::array<int, 8> surrounds;  // control ids; 0 ends the list
};

ShapePlace PlaceInFrame(int index) {
    using namespace layout;
    switch (index) {
    case 0:
        return {kFrame5, {60, 180, 4125, 705}, {IDC_TEXT1, IDC_COMMAND1, IDC_LABEL1, IDC_TEXT5}};
    case 1:
        return {kIcofrm, {60, 210, 4125, 1155}, {IDC_CHECK1, IDC_COMMAND3, IDC_COMMAND5, IDC_FRAME4}};
    case 2:
        return {kFrame6,
                {60, 180, 4125, 1275},
                {IDC_CHECK3, IDC_CHECK2, IDC_LABEL2, IDC_TEXT2, IDC_LABEL4, IDC_TEXT4, IDC_LABEL3, IDC_TEXT3}};
    case 3:
        return {kFrame3, {60, 180, 2445, 345}, {IDC_OPTION1_0, IDC_OPTION1_1}};
    default:
        return {{0, 0, 0, 0}, {2760, 4230, 1635, 465}, {IDC_COMMAND2}};
    }
}

LRESULT CALLBACK ShapeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // Clicks and the mouse pass on to the control under the border.
        return HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // The window region leaves only the border: filling the whole client area draws it.
        const PaintDc dc(hwnd);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        ::SetDCBrushColor(dc.get(), HighlightShapes::kColour);
        ::FillRect(dc.get(), &client, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        return 0;
    }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterShapeClass(HINSTANCE instance) {
    WNDCLASSEXW shapeClass{};
    shapeClass.cbSize = sizeof(shapeClass);
    shapeClass.lpfnWndProc = &ShapeProc;
    shapeClass.hInstance = instance;
    shapeClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    shapeClass.lpszClassName = kShapeClass;
    ::RegisterClassExW(&shapeClass);  // already registered by an earlier main window: fine
}

}  // namespace

TwipsRect HighlightShapes::Place(int index) {
    const ShapePlace place = PlaceInFrame(index);
    return place.inside.Inside(place.holdingFrame.Inside(layout::kFrame1));
}

HighlightShapes::HighlightShapes(HWND mainWindow, int dpi) : mainWindow_(mainWindow), dpi_(dpi) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    RegisterShapeClass(instance);
    for (int index = 0; index < kCount; ++index) {
        // WS_EX_TRANSPARENT: when the main window is repainted, the outline is painted after the
        // controls under it. WS_GROUP: the arrow keys of the last group of controls stop here.
        HWND shape = ::CreateWindowExW(WS_EX_TRANSPARENT, kShapeClass, L"", WS_CHILD | WS_GROUP, 0, 0, 0, 0, mainWindow,
                                       nullptr, instance, nullptr);
        windows_[static_cast<size_t>(index)] = shape;
        if (shape) Fit(index);
    }
}

RECT HighlightShapes::Placed(int index) const {
    const TwipsRect at = Place(index);
    const int left = TwipsToPixels(at.left, dpi_);
    const int top = TwipsToPixels(at.top, dpi_);
    RECT placed{left, top, left + TwipsToPixels(at.width, dpi_), top + TwipsToPixels(at.height, dpi_)};
    // Controls widened for a larger font than the layout's keep clear of the border.
    for (int id : PlaceInFrame(index).surrounds) {
        HWND control = id ? ::GetDlgItem(mainWindow_, id) : nullptr;
        if (!control) continue;
        RECT inner{};
        ::GetWindowRect(control, &inner);
        ::MapWindowPoints(nullptr, mainWindow_, reinterpret_cast<POINT*>(&inner), 2);
        placed.left = std::min(placed.left, inner.left - kBorderPixels);
        placed.top = std::min(placed.top, inner.top - kBorderPixels);
        placed.right = std::max(placed.right, inner.right + kBorderPixels);
        placed.bottom = std::max(placed.bottom, inner.bottom + kBorderPixels);
    }
    return placed;
}

void HighlightShapes::Fit(int index) {
    HWND shape = Window(index);
    const RECT placed = Placed(index);
    RECT now{};
    ::GetWindowRect(shape, &now);
    ::MapWindowPoints(nullptr, mainWindow_, reinterpret_cast<POINT*>(&now), 2);
    if (::EqualRect(&now, &placed)) return;
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    ::SetWindowPos(shape, nullptr, placed.left, placed.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UniqueHrgn border(::CreateRectRgn(0, 0, width, height));
    UniqueHrgn inside(::CreateRectRgn(kBorderPixels, kBorderPixels, width - kBorderPixels, height - kBorderPixels));
    ::CombineRgn(border.get(), border.get(), inside.get(), RGN_DIFF);
    // The window owns the region once it has taken it.
    if (::SetWindowRgn(shape, border.get(), TRUE)) border.release();
}

HighlightShapes::~HighlightShapes() {
    // Gone already when the main window went first.
    for (HWND shape : windows_) {
        if (shape && ::IsWindow(shape)) ::DestroyWindow(shape);
    }
}

void HighlightShapes::Show(int index, bool visible) {
    HWND shape = Window(index);
    if (!shape) return;
    if (visible) {
        // Around the controls as they are now, above every one of them (also ones made later).
        Fit(index);
        ::SetWindowPos(shape, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(shape, SW_HIDE);
    }
}

bool HighlightShapes::IsVisible(int index) const {
    HWND shape = Window(index);
    // The outline's own state, whether or not the main window is on the screen yet.
    return shape && (::GetWindowLongPtrW(shape, GWL_STYLE) & WS_VISIBLE) != 0;
}

void HighlightShapes::HideAll() {
    for (int index = 0; index < kCount; ++index) Show(index, false);
}

}  // namespace velmora
