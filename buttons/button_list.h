// The list of added buttons as a plain model: row p (counting from 1) is the button in slot
// p - 1. The main window shows it; the button operations change it together with the registry.
#pragma once

#include "buttons/button.h"
#include "common/unique_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

namespace velmora {

// A row of the list: the button and its small image.
struct ButtonRow {
    Button button;
    long long image = 0;  // image number in the list's images, from 1; 0 shows none

    // The list's columns by number: 0 the file to launch, 1 the button text, 2 the menu text,
    // 3 the status-bar text, 4 the scope, 5 the parameters, 6 "disk" for an icon chosen on disk,
    // 7 the shortcut file.
    std::wstring Column(int index) const;
};

// The small images of the list: the 25 library icons first, so that library icon n is image n,
// then the images of program and disk icons.
class ButtonImages {
public:
    ButtonImages();
    ButtonImages(const ButtonImages&) = delete;
    ButtonImages& operator=(const ButtonImages&) = delete;

    // Makes the first 25 images the places of the library icons of programFolder\icons\1.ico to
    // 25.ico, all blank until LoadLibraryImage fills them: reading the 25 files at every start
    // would cost more than the rest of the list, and most are never shown.
    void LoadLibraryIcons(const std::wstring& programFolder);
    // Reads library icon `number` (1 to 25) into its place the first time it is asked for; a
    // missing file leaves its place blank, so that the numbering holds. Other numbers are left
    // alone.
    void LoadLibraryImage(long long number);
    // Appends a copy of the icon; answers the new image's number (the new count).
    int Append(HICON icon);
    // Puts a copy of the icon in place of image `number` (after the library icons).
    void Replace(int number, HICON icon);
    // Removes the images after the first `count` (those appended for an operation that was
    // then undone).
    void TrimTo(int count);
    int Count() const;
    HIMAGELIST handle() const { return list_.get(); }

private:
    int size_;  // the images' width and height in pixels
    UniqueHimagelist list_;
    std::wstring libraryFolder_;
    std::array<bool, kLibraryIconCount> libraryLoaded_{};
};

struct ButtonList {
    std::vector<ButtonRow> rows;
    ButtonImages images;

    // Puts a copy of a program's or disk icon into the images and answers its number: an image
    // that no row shows any more (one left by an updated or deleted button) is used again, so
    // that the images grow only with the number of rows, not with every add and update.
    int PlaceImage(HICON icon);
};

}  // namespace velmora
