// The small images of the list of added buttons, which the main window makes from the rows: the
// 25 library icons first, so that library icon n is image n, then the pictures of program and
// disk icons, taken from their files when a row first shows them.
#pragma once

#include "buttons/button_list.h"
#include "common/unique_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

namespace velmora {

class ButtonImages {
public:
    ButtonImages();
    ButtonImages(const ButtonImages&) = delete;
    ButtonImages& operator=(const ButtonImages&) = delete;

    // Makes the first 25 images the places of the library icons of programFolder\icons\1.ico to
    // 25.ico, all blank until a row shows them: reading the 25 files at every start would cost
    // more than the rest of the list, and most are never shown. The images after them go.
    void LoadLibraryIcons(const std::wstring& programFolder);

    // The image number (from 1; 0 shows none) of each row, in the rows' order. A library icon's
    // image is its number, read the first time a row shows it. A program icon shows the picture
    // of its file to launch, a disk icon that of its icon file: a row keeps the image it had as
    // long as it shows the same file, and a new picture takes the place of an image that no row
    // shows any more (one left by an updated or deleted button) before one is added, so that the
    // images grow only with the number of rows, not with every add and update.
    std::vector<long long> Place(const std::vector<ButtonRow>& rows);

    int Count() const;
    HIMAGELIST handle() const { return list_.get(); }

private:
    // Reads library icon `number` (1 to 25) into its place the first time it is asked for; a
    // missing file leaves its place blank, so that the numbering holds. Other numbers are left
    // alone.
    void LoadLibraryImage(long long number);
    // Appends a copy of the icon; answers the new image's number (the new count).
    int Append(HICON icon);
    // Puts a copy of the icon in place of image `number` (after the library icons).
    void Replace(int number, HICON icon);

    // A program or disk icon's image: the file its picture came from, and its number.
    struct FileImage {
        IconKind kind = IconKind::Program;
        std::wstring file;
        long long number = 0;
    };

    int size_;  // the images' width and height in pixels
    UniqueHimagelist list_;
    std::wstring libraryFolder_;
    std::array<bool, kLibraryIconCount> libraryLoaded_{};
    std::vector<FileImage> shown_;  // the file images the rows showed at the last Place
};

}  // namespace velmora
