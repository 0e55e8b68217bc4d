#include "buttons/icon_files.h"

#include "common/file_paths.h"

#include "buttons/path_parts.h"

#include <shellapi.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora {

namespace {

// The pixels of an icon as stored in an ".ico" file: 32-bit BGRA rows and 1-bit AND mask rows
// (each row padded to 32 bits), both bottom-up.
struct IconPixels {
    LONG width = 0;
    LONG height = 0;
    std::vector<std::uint32_t> colour;
    std::vector<BYTE> mask;
};

LONG MaskRowBytes(LONG width) {
    return ((width + 31) / 32) * 4;
}

// Reads a 1-bit bitmap bottom-up into rows padded to 32 bits.
bool ReadMaskBits(HDC dc, HBITMAP bitmap, LONG width, LONG height, std::vector<BYTE>& bits) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // positive: bottom-up, as the file wants it
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    bits.assign(static_cast<size_t>(MaskRowBytes(width)) * height, 0);
    return ::GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) ==
           height;
}

bool MaskBitSet(const std::vector<BYTE>& mask, LONG width, LONG x, LONG row) {
    const BYTE byte = mask[static_cast<size_t>(row) * MaskRowBytes(width) + x / 8];
    return (byte & (0x80 >> (x % 8))) != 0;
}

bool ReadIconPixels(HICON icon, IconPixels& pixels) {
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info)) return false;
    // GetIconInfo hands out copies of the icon's bitmaps; they are ours to delete.
    UniqueHbitmap colourBitmap(info.hbmColor);
    UniqueHbitmap maskBitmap(info.hbmMask);
    BITMAP maskShape = {};
    if (!maskBitmap || !::GetObjectW(maskBitmap.get(), sizeof maskShape, &maskShape)) return false;

    // A monochrome icon has no colour bitmap: its mask is twice as tall, the AND mask on top of
    // the XOR mask.
    const bool monochrome = !colourBitmap;
    const LONG width = maskShape.bmWidth;
    const LONG height = monochrome ? maskShape.bmHeight / 2 : maskShape.bmHeight;
    if (width <= 0 || height <= 0) return false;

    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return false;

    pixels.width = width;
    pixels.height = height;
    pixels.colour.assign(static_cast<size_t>(width) * height, 0);
    const size_t maskBytes = static_cast<size_t>(MaskRowBytes(width)) * height;

    if (monochrome) {
        // Bottom-up, the XOR half comes first and the AND half second.
        std::vector<BYTE> both;
        if (!ReadMaskBits(dc.get(), maskBitmap.get(), width, height * 2, both)) return false;
        for (LONG row = 0; row < height; ++row) {
            for (LONG x = 0; x < width; ++x) {
                if (MaskBitSet(both, width, x, row)) pixels.colour[static_cast<size_t>(row) * width + x] = 0x00FFFFFF;
            }
        }
        pixels.mask.assign(both.begin() + maskBytes, both.end());
    } else {
        BITMAPINFO colourInfo = {};
        colourInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        colourInfo.bmiHeader.biWidth = width;
        colourInfo.bmiHeader.biHeight = height;
        colourInfo.bmiHeader.biPlanes = 1;
        colourInfo.bmiHeader.biBitCount = 32;
        colourInfo.bmiHeader.biCompression = BI_RGB;
        if (::GetDIBits(dc.get(), colourBitmap.get(), 0, height, pixels.colour.data(), &colourInfo, DIB_RGB_COLORS) !=
            height) {
            return false;
        }
        if (!ReadMaskBits(dc.get(), maskBitmap.get(), width, height, pixels.mask)) return false;
    }

    // Pictures without an alpha channel (palette icons, monochrome icons) rely on the mask for
    // transparency. Programs that draw 32-bit icons by their alpha alone would show the
    // transparent parts, so the alpha is made from the mask: opaque where the mask is clear.
    // (Pixels that invert the screen, mask set and colour not black, become transparent.)
    bool hasAlpha = false;
    for (std::uint32_t pixel : pixels.colour) hasAlpha = hasAlpha || (pixel & 0xFF000000) != 0;
    if (!hasAlpha) {
        for (LONG row = 0; row < height; ++row) {
            for (LONG x = 0; x < width; ++x) {
                if (MaskBitSet(pixels.mask, width, x, row)) continue;
                pixels.colour[static_cast<size_t>(row) * width + x] |= 0xFF000000;
            }
        }
    }
    return true;
}

// Writes little-endian numbers and raw bytes one after another into a buffer of known size.
class ByteWriter {
public:
    explicit ByteWriter(size_t size) : bytes_(size, 0) {}
    void Put8(unsigned value) { bytes_[at_++] = static_cast<BYTE>(value & 0xFF); }
    void Put16(unsigned value) {
        Put8(value);
        Put8(value >> 8);
    }
    void Put32(std::uint32_t value) {
        Put16(value & 0xFFFF);
        Put16(value >> 16);
    }
    void PutBytes(const void* data, size_t size) {
        std::memcpy(bytes_.data() + at_, data, size);
        at_ += size;
    }
    std::vector<BYTE> Take() { return std::move(bytes_); }

private:
    std::vector<BYTE> bytes_;
    size_t at_ = 0;
};

// The whole ".ico" file: the directory with its single entry, then the image (header, colour,
// mask).
std::vector<BYTE> IcoFileBytes(const IconPixels& pixels) {
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(pixels.colour.size() * 4);
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(pixels.mask.size());
    const std::uint32_t imageBytes = sizeof(BITMAPINFOHEADER) + colourBytes + maskBytes;
    const std::uint32_t imageOffset = 6 + 16;

    ByteWriter out(imageOffset + imageBytes);
    // ICONDIR: reserved, type 1 (icon), one image.
    out.Put16(0);
    out.Put16(1);
    out.Put16(1);
    // ICONDIRENTRY: sizes of 256 and more are written as 0; no palette; 1 plane, 32 bits.
    out.Put8(pixels.width >= 256 ? 0 : static_cast<unsigned>(pixels.width));
    out.Put8(pixels.height >= 256 ? 0 : static_cast<unsigned>(pixels.height));
    out.Put8(0);
    out.Put8(0);
    out.Put16(1);
    out.Put16(32);
    out.Put32(imageBytes);
    out.Put32(imageOffset);

    // The image's header counts the colour and the mask together, hence the doubled height.
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = pixels.width;
    header.biHeight = pixels.height * 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = colourBytes + maskBytes;
    out.PutBytes(&header, sizeof header);

    for (std::uint32_t pixel : pixels.colour) out.Put32(pixel);
    out.PutBytes(pixels.mask.data(), pixels.mask.size());
    return out.Take();
}

// Writes the bytes to a new temporary file beside path, then puts it in place of path, so that
// a failure never leaves half a file under that name.
bool WriteFileInPlace(const std::wstring& path, const std::vector<BYTE>& bytes) {
    const std::wstring full = FullPath(path);
    const size_t slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 == full.size()) return false;
    const std::wstring folder = full.substr(0, slash + 1);
    // A read-only file stays: Windows refuses to replace it, and Wine would, so ask first.
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;

    wchar_t temporary[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"vlm", 0, temporary)) return false;

    bool written = false;
    {
        UniqueFileHandle file(
            ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        written = file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size();
    }
    if (written && ::MoveFileExW(temporary, full.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    ::DeleteFileW(temporary);
    return false;
}

// The volume and file number of an existing file or folder, which stay the same whatever path
// names it.
bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& identity) {
    if (path.empty()) return false;
    UniqueFileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && ::GetFileInformationByHandle(file.get(), &identity);
}

}  // namespace

UniqueHicon ProgramIconPicture(const std::wstring& file, int iconNumber, bool large) {
    if (!FitsShellPath(file)) return {};
    // Only the size asked for: making the other one too would cost as much again.
    HICON icon = nullptr;
    const UINT count = ::ExtractIconExW(file.c_str(), iconNumber, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    UniqueHicon held(icon);
    // UINT_MAX is the answer for files that cannot hold icons at all (missing files, URLs).
    if (count == 0 || count == UINT_MAX) return {};
    return held;
}

ProgramIcons TakeProgramIcons(const std::wstring& file) {
    ProgramIcons icons{ProgramIconPicture(file, 0, false), ProgramIconPicture(file, 0, true)};
    if (!icons.small) {
        // A document shows the icon of the program that opens it.
        const std::wstring program = FindAssociatedProgram(file);
        if (!program.empty()) icons = {ProgramIconPicture(program, 0, false), ProgramIconPicture(program, 0, true)};
    }
    if (!icons.small) icons.large.reset();
    return icons;
}

UniqueHicon FileIconPicture(const std::wstring& path) {
    UniqueHicon icon = ProgramIconPicture(path, 0, false);
    if (icon) return icon;
    // A document shows the icon of the program that opens it.
    const std::wstring program = FindAssociatedProgram(path);
    return program.empty() ? UniqueHicon() : ProgramIconPicture(program, 0, false);
}

int LoadFileIcon(const std::wstring& path, IconHolder& picico) {
    UniqueHicon icon = ProgramIconPicture(path, 0, false);
    if (!icon) {
        // A document shows the icon of the program that opens it.
        const std::wstring program = FindAssociatedProgram(path);
        if (program.empty()) return 1;
        icon = ProgramIconPicture(program, 0, false);
    }
    picico.Set(std::move(icon));
    return 0;
}

bool SaveIconFile(HICON icon, const std::wstring& path) {
    IconPixels pixels;
    if (path.empty() || !ReadIconPixels(icon, pixels)) return false;
    return WriteFileInPlace(path, IcoFileBytes(pixels));
}

bool IsSameFile(const std::wstring& first, const std::wstring& second) {
    BY_HANDLE_FILE_INFORMATION firstIdentity = {};
    BY_HANDLE_FILE_INFORMATION secondIdentity = {};
    if (FileIdentity(first, firstIdentity) && FileIdentity(second, secondIdentity)) {
        return firstIdentity.dwVolumeSerialNumber == secondIdentity.dwVolumeSerialNumber &&
               firstIdentity.nFileIndexHigh == secondIdentity.nFileIndexHigh &&
               firstIdentity.nFileIndexLow == secondIdentity.nFileIndexLow;
    }
    // Otherwise only the spelling can tell: Windows paths ignore case.
    const std::wstring firstFull = FullPath(first);
    const std::wstring secondFull = FullPath(second);
    return !firstFull.empty() && SamePathText(firstFull, secondFull);
}

bool CopyDiskIconFile(const std::wstring& chosen, const std::wstring& target) {
    // A file dialog's answer may carry more text after a NUL.
    const std::wstring source = TextBeforeNul(chosen);
    if (IsSameFile(source, target)) {
        // Already in place; deleting the target would delete the chosen file itself.
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    ::DeleteFileW(target.c_str());
    return ::CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

}  // namespace velmora
