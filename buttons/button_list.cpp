#include "buttons/button_list.h"
#include "buttons/file_places.h"

#include <cstdint>
#include <vector>

namespace velmora {

std::wstring ButtonRow::Column(int index) const {
    switch (index) {
    case 1:
        return button.buttonText;
    case 2:
        return button.menuText;
    case 3:
        return button.statusBarText;
    case 4:
        return ScopeText(button.scope);
    case 5:
        return button.parameters;
    case 6:
        return button.iconKind == IconKind::Disk ? L"disk" : L"";
    case 7:
        return button.link;
    default:
        return button.fileToLaunch;
    }
}

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

}  // namespace

ButtonImages::ButtonImages()
    : size_(ImageSize()), list_(::ImageList_Create(size_, size_, ILC_COLOR32 | ILC_MASK, kLibraryIconCount, 8)) {}

void ButtonImages::LoadLibraryIcons(const std::wstring& programFolder) {
    ::ImageList_RemoveAll(list_.get());
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

void ButtonImages::TrimTo(int count) {
    while (Count() > count && Count() > kLibraryIconCount) ::ImageList_Remove(list_.get(), Count() - 1);
}

int ButtonImages::Count() const {
    return ::ImageList_GetImageCount(list_.get());
}

int ButtonList::PlaceImage(HICON icon) {
    for (int number = kLibraryIconCount + 1; number <= images.Count(); ++number) {
        bool shown = false;
        for (const ButtonRow& row : rows)
            shown = shown || (row.button.iconKind != IconKind::Library && row.image == number);
        if (!shown) {
            images.Replace(number, icon);
            return number;
        }
    }
    return images.Append(icon);
}

}  // namespace velmora
