#include "mainwindow/button_images.h"

#include "buttons/icon_files.h"
#include "buttons/file_places.h"

#include <algorithm>
#include <cstdint>

namespace velmora {

namespace {

// The size of the list's small images: the system's small icon size, which follows the DPI
// (16 pixels at 100 %, 24 at 150 %, 32 at 200 %).
int ImageSize() {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : 16;
}

// Bytes of one row of a monochrome bitmap, which Windows pads to whole 16-bit words.
int MaskStride(int width) {
    return (width + 15) / 16 * 2;
}

// A fully transparent icon, standing in for a library file that is missing.
UniqueHicon BlankIcon(int size) {
    const std::vector<BYTE> andMask(static_cast<size_t>(MaskStride(size)) * size, 0xFF);
    const std::vector<BYTE> xorMask(andMask.size(), 0);
    return UniqueHicon(::CreateIcon(nullptr, size, size, 1, 1, andMask.data(), xorMask.data()));
}

// The file whose picture a program or disk icon's row shows.
const std::wstring& ShownFile(const Button& button) {
    return button.iconKind == IconKind::Program ? button.fileToLaunch : button.iconFile;
}

}  // namespace

ButtonImages::ButtonImages()
    : size_(ImageSize()), list_(::ImageList_Create(size_, size_, ILC_COLOR32 | ILC_MASK, kLibraryIconCount, 8)) {}

void ButtonImages::LoadLibraryIcons(const std::wstring& programFolder) {
    ::ImageList_RemoveAll(list_.get());
    shown_.clear();
    libraryFolder_ = programFolder;
    libraryLoaded_.fill(false);
    // All 25 blank places in one strip: no colour, and a mask that makes every pixel transparent.
    const int stripWidth = size_ * kLibraryIconCount;
    const std::vector<std::uint32_t> colourBits(static_cast<size_t>(stripWidth) * size_, 0);
    const std::vector<BYTE> maskBits(static_cast<size_t>(MaskStride(stripWidth)) * size_, 0xFF);
    UniqueHbitmap colour(::CreateBitmap(stripWidth, size_, 1, 32, colourBits.data()));
    UniqueHbitmap mask(::CreateBitmap(stripWidth, size_, 1, 1, maskBits.data()));
    if (!colour || !mask || ::ImageList_Add(list_.get(), colour.get(), mask.get()) < 0) {
        const UniqueHicon blank = BlankIcon(size_);
        while (Count() < kLibraryIconCount && ::ImageList_AddIcon(list_.get(), blank.get()) >= 0) {}
    }
}

std::vector<long long> ButtonImages::Place(const std::vector<ButtonRow>& rows) {
    std::vector<long long> numbers(rows.size(), 0);
    std::vector<FileImage> before = std::move(shown_);
    shown_.clear();
    // First every row that still shows the file of an image keeps that image...
    std::vector<size_t> newPictures;
    for (size_t at = 0; at < rows.size(); ++at) {
        const Button& button = rows[at].button;
        if (button.iconKind == IconKind::Library) {
            LoadLibraryImage(button.libraryNumber);
            numbers[at] = button.libraryNumber;
            continue;
        }
        const auto kept = std::find_if(before.begin(), before.end(), [&](const FileImage& image) {
            return image.kind == button.iconKind && image.file == ShownFile(button);
        });
        if (kept == before.end()) {
            newPictures.push_back(at);
            continue;
        }
        numbers[at] = kept->number;
        shown_.push_back(std::move(*kept));
        before.erase(kept);
    }
    // ...then the others take their pictures from their files, into the first image no row shows.
    for (size_t at : newPictures) {
        const Button& button = rows[at].button;
        const UniqueHicon picture = FileIconPicture(ShownFile(button));
        long long number = kLibraryIconCount + 1;
        auto taken = [&](long long candidate) {
            return std::any_of(shown_.begin(), shown_.end(),
                               [&](const FileImage& image) { return image.number == candidate; });
        };
        while (number <= Count() && taken(number)) ++number;
        if (number <= Count()) {
            Replace(static_cast<int>(number), picture.get());
        } else {
            number = Append(picture.get());
        }
        shown_.push_back({button.iconKind, ShownFile(button), number});
        numbers[at] = number;
    }
    return numbers;
}

void ButtonImages::LoadLibraryImage(long long number) {
    if (number < 1 || number > kLibraryIconCount || number > Count() || libraryLoaded_[number - 1]) return;
    libraryLoaded_[number - 1] = true;
    const std::wstring file = LibraryHotIconFile(libraryFolder_, number);
    UniqueHicon icon(
        static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, size_, size_, LR_LOADFROMFILE)));
    if (icon) ::ImageList_ReplaceIcon(list_.get(), static_cast<int>(number - 1), icon.get());
}

int ButtonImages::Append(HICON icon) {
    // An icon the list cannot take still gets its place, so the numbering holds.
    if (!icon || ::ImageList_AddIcon(list_.get(), icon) < 0) ::ImageList_AddIcon(list_.get(), BlankIcon(size_).get());
    return Count();
}

void ButtonImages::Replace(int number, HICON icon) {
    if (number <= kLibraryIconCount || number > Count()) return;
    if (!icon || ::ImageList_ReplaceIcon(list_.get(), number - 1, icon) < 0) {
        ::ImageList_ReplaceIcon(list_.get(), number - 1, BlankIcon(size_).get());
    }
}

int ButtonImages::Count() const {
    return ::ImageList_GetImageCount(list_.get());
}

}  // namespace velmora
