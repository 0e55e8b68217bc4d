// Shape1(0) to Shape1(4): the red outlines that the tutorial flashes around an area of the main
// window. Each is a child window of the main window at the top of its children's z-order, shaped
// by a window region to its 3-pixel border alone, so that it shows over the controls it surrounds
// while the controls inside (and every click on them) are left alone. An outline stands at its
// place in the layout, grown where the controls it surrounds were made larger than the layout
// (a wider font) so that its border never crosses them.
#pragma once

#include "common/window_base.h"

#include <windows.h>

#include <array>

namespace velmora {

class HighlightShapes {
public:
    static constexpr int kCount = 5;
    static constexpr int kBorderPixels = 3;
    static constexpr COLORREF kColour = RGB(255, 0, 0);

    // The place of outline index in the main window's client area, in twips: its place inside
    // the frame that holds it, moved by that frame's place.
    static TwipsRect Place(int index);

    // Creates the outlines, hidden, over the controls of mainWindow laid out at dpi.
    HighlightShapes(HWND mainWindow, int dpi);
    ~HighlightShapes();
    HighlightShapes(const HighlightShapes&) = delete;
    HighlightShapes& operator=(const HighlightShapes&) = delete;

    void Show(int index, bool visible);
    void Toggle(int index) { Show(index, !IsVisible(index)); }
    bool IsVisible(int index) const;
    void HideAll();
    HWND Window(int index) const { return Valid(index) ? windows_[static_cast<size_t>(index)] : nullptr; }

private:
    static bool Valid(int index) { return index >= 0 && index < kCount; }
    // The outline's place in the main window's client area, in pixels.
    RECT Placed(int index) const;
    // Moves the outline to that place and cuts it to its border.
    void Fit(int index);

    HWND mainWindow_;
    int dpi_;
    std::array<HWND, kCount> windows_{};
};

}  // namespace velmora
