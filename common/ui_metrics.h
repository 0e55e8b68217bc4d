// Sizes and fonts for windows laid out in twips (1/1440 inch), at the screen's DPI.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

namespace velmora {

// The DPI of the screen (the system DPI, which the programs declare themselves aware of).
int ScreenDpi();

// Twips to device pixels at a DPI, rounded to the nearest pixel.
inline int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// The system's message font at the screen DPI, regular or bold.
UniqueHfont CreateMessageFont(bool bold);

}  // namespace velmora
