// The GDI and USER objects this process holds, for the tests that look for leaked handles.
#pragma once

#include <windows.h>

#include <vector>

namespace velmora::testing {

// The count, give or take a constant. Wine's GetGuiResources answers 0, but Wine keeps every
// icon's pictures as bitmaps in the process's own GDI handle table, so there the entries taken
// are counted by making bitmaps until the table is full.
inline long GuiObjectsInUse() {
    const HANDLE process = ::GetCurrentProcess();
    const long counted = ::GetGuiResources(process, GR_GDIOBJECTS) + ::GetGuiResources(process, GR_USEROBJECTS);
    if (counted != 0) return counted;
    std::vector<HBITMAP> taken;
    for (HBITMAP bitmap; taken.size() < 200000 && (bitmap = ::CreateBitmap(1, 1, 1, 1, nullptr));) {
        taken.push_back(bitmap);
    }
    for (HBITMAP bitmap : taken) ::DeleteObject(bitmap);
    return 200000 - static_cast<long>(taken.size());
}

}  // namespace velmora::testing
