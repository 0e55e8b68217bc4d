#include "buttons/icon_files.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadFileBytes;
using testing::TempFolder;

std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The library icons are copied beside the test program, in "icons".
std::wstring LibraryIcon(const std::wstring& name) {
    const std::wstring program = ModulePath();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"icons\\" + name;
}

std::wstring Notepad() {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\notepad.exe";
}

SIZE IconSize(HICON icon) {
    SIZE size = {};
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info)) return size;
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    BITMAP shape = {};
    ::GetObjectW(colour ? colour.get() : mask.get(), sizeof shape, &shape);
    size.cx = shape.bmWidth;
    size.cy = colour ? shape.bmHeight : shape.bmHeight / 2;
    return size;
}

void ExpectIconSize(HICON icon, int side) {
    const SIZE size = IconSize(icon);
    EXPECT_EQ(size.cx, side);
    EXPECT_EQ(size.cy, side);
}

// What a user sees: the icon drawn at its size over a plain background, as RGB pixels.
std::vector<std::uint32_t> DrawOver(HICON icon, int side, COLORREF background, UINT how = DI_NORMAL) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    UniqueHbitmap canvas(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels;
    if (canvas) {
        auto* data = static_cast<std::uint32_t*>(bits);
        const std::uint32_t fill = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
        for (int i = 0; i < side * side; ++i) data[i] = fill;
        HGDIOBJ old = ::SelectObject(dc, canvas.get());
        ::DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, how);
        ::GdiFlush();
        ::SelectObject(dc, old);
        for (int i = 0; i < side * side; ++i) pixels.push_back(data[i] & 0x00FFFFFF);
    }
    ::DeleteDC(dc);
    return pixels;
}

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);

// Two icons look the same when they draw the same pixels over two different backgrounds, and
// have the same mask for programs that draw icons by their mask.
void ExpectSameLook(HICON expected, HICON actual, int side) {
    ASSERT_NE(actual, nullptr);
    for (UINT how : {DI_NORMAL, DI_MASK}) {
        for (COLORREF background : {kMagenta, kGreen}) {
            const auto want = DrawOver(expected, side, background, how);
            const auto got = DrawOver(actual, side, background, how);
            ASSERT_EQ(want.size(), static_cast<size_t>(side * side));
            int differing = 0;
            for (size_t i = 0; i < want.size(); ++i) differing += want[i] != got[i];
            EXPECT_EQ(differing, 0) << (how == DI_MASK ? "mask" : "picture") << " pixels differ over background "
                                    << std::hex << background;
        }
    }
}

UniqueHicon LoadIconFile(const std::wstring& path, int side = 0) {
    HANDLE loaded = ::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, side, side, LR_LOADFROMFILE);
    return UniqueHicon(static_cast<HICON>(loaded));
}

std::uint32_t Read16(const std::string& bytes, size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint32_t Read32(const std::string& bytes, size_t at) { return Read16(bytes, at) | (Read16(bytes, at + 2) << 16); }

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (!find) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileW(find.get(), &data));
    return names;
}

FILETIME LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// ---------------------------------------------------------------------------------------------
// Pictures taken from programs and icon files

TEST(ProgramIconPicture, TakesBothSizesFromProgramsLibrariesAndIconFiles) {
    const int large = ::GetSystemMetrics(SM_CXICON);
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(large, 32);
    EXPECT_EQ(small, 16);

    TempFolder temp;
    const std::wstring iconFile = temp.path() + L"star.ico";
    ASSERT_TRUE(::CopyFileW(LibraryIcon(L"5gr.ico").c_str(), iconFile.c_str(), FALSE));

    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring shell32 = std::wstring(system) + L"\\shell32.dll";

    struct Source {
        std::wstring file;
        int number;
    };
    // The library icons are drawn at 20 x 20 and come out scaled to the system sizes.
    for (const Source& source : {Source{Notepad(), 0}, Source{shell32, 0}, Source{shell32, 3},
                                 Source{LibraryIcon(L"5.ico"), 0}, Source{iconFile, 0}}) {
        SCOPED_TRACE(source.file + L" #" + std::to_wstring(source.number));
        UniqueHicon big = ProgramIconPicture(source.file, source.number, true);
        UniqueHicon little = ProgramIconPicture(source.file, source.number, false);
        ASSERT_TRUE(big);
        ASSERT_TRUE(little);
        ExpectIconSize(big.get(), large);
        ExpectIconSize(little.get(), small);
    }
}

TEST(ProgramIconPicture, NothingFromFilesWithoutThatIcon) {
    TempFolder temp;
    const std::wstring text = temp.WriteFile(L"notes.txt", "just some text\r\n");
    const std::wstring unknown = temp.WriteFile(L"data.zzqq", "just some text\r\n");
    const std::wstring fakeProgram = temp.WriteFile(L"fake.exe", "MZ but not really a program");
    const std::wstring brokenIcon = temp.WriteFile(L"broken.ico", std::string("\0\0\1\0\1\0garbage", 12));
    for (const std::wstring& file :
         {ModulePath(), text, unknown, fakeProgram, brokenIcon, temp.path() + L"missing.exe",
          std::wstring(L"http://www.example.com/"), std::wstring(), temp.path()}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(ProgramIconPicture(file, 0, true));
        EXPECT_FALSE(ProgramIconPicture(file, 0, false));
    }
    // An icon number past the last icon of a file that has some.
    EXPECT_FALSE(ProgramIconPicture(Notepad(), 500, true));
    EXPECT_FALSE(ProgramIconPicture(LibraryIcon(L"5.ico"), 1, false));
}

// ---------------------------------------------------------------------------------------------
// The editor's small icon of a file

TEST(LoadFileIcon, TakesTheSmallIconOfAProgram) {
    IconHolder picico;
    EXPECT_EQ(LoadFileIcon(Notepad(), picico), 0);
    ASSERT_FALSE(picico.empty());
    ExpectIconSize(picico.get(), 16);
    UniqueHicon expected = ProgramIconPicture(Notepad(), 0, false);
    ExpectSameLook(expected.get(), picico.get(), 16);

    // An icon file counts as a file with an icon.
    EXPECT_EQ(LoadFileIcon(LibraryIcon(L"7.ico"), picico), 0);
    ExpectIconSize(picico.get(), 16);
}

TEST(LoadFileIcon, ADocumentShowsTheIconOfItsProgram) {
    // Wine opens ".ini" files with Notepad (it has no ".txt" association of its own).
    TempFolder temp;
    const std::wstring document = temp.WriteFile(L"settings.ini", "[Velmora]\r\nLook=1\r\n");
    IconHolder picico;
    EXPECT_EQ(LoadFileIcon(document, picico), 0);
    UniqueHicon expected = ProgramIconPicture(Notepad(), 0, false);
    ExpectSameLook(expected.get(), picico.get(), 16);
}

TEST(LoadFileIcon, AProgramWithoutIconLeavesNoPicture) {
    // A batch file and a would-be program open themselves, and hold no icon.
    TempFolder temp;
    const std::wstring batch = temp.WriteFile(L"run.bat", "@echo off\r\n");
    const std::wstring fakeProgram = temp.WriteFile(L"fake.exe", "text");
    for (const std::wstring& file : {batch, fakeProgram}) {
        SCOPED_TRACE(file);
        IconHolder picico;
        picico.Set(ProgramIconPicture(Notepad(), 0, false));
        ASSERT_FALSE(picico.empty());
        EXPECT_EQ(LoadFileIcon(file, picico), 0);
        EXPECT_TRUE(picico.empty());
    }
}

TEST(LoadFileIcon, NoIconAndNoProgramLeavesThePictureAlone) {
    TempFolder temp;
    const std::wstring unknown = temp.WriteFile(L"data.zzqq", "just some text\r\n");
    for (const std::wstring& file : {unknown, temp.path() + L"missing.exe", temp.path() + L"missing.ini",
                                     std::wstring(L"http://www.example.com/index.html"), std::wstring()}) {
        SCOPED_TRACE(file);
        IconHolder picico;
        picico.Set(ProgramIconPicture(Notepad(), 0, false));
        const HICON before = picico.get();
        EXPECT_EQ(LoadFileIcon(file, picico), 1);
        EXPECT_EQ(picico.get(), before);
        ExpectIconSize(picico.get(), 16);  // still a live icon

        IconHolder empty;
        EXPECT_EQ(LoadFileIcon(file, empty), 1);
        EXPECT_TRUE(empty.empty());
    }
}

// ---------------------------------------------------------------------------------------------
// Saving icon files

TEST(SaveIconFile, WritesOneThirtyTwoBitIconThatLooksLikeTheOriginal) {
    TempFolder temp;
    UniqueHicon original = ProgramIconPicture(Notepad(), 0, true);
    ASSERT_TRUE(original);
    const std::wstring path = temp.path() + L"notepad.ico";
    ASSERT_TRUE(SaveIconFile(original.get(), path));

    // The layout: one directory entry, then a 32-bit image with its 1-bit mask.
    const std::string bytes = ReadFileBytes(path);
    const size_t expectedSize = 6 + 16 + 40 + 32 * 32 * 4 + 32 * 4;
    ASSERT_EQ(bytes.size(), expectedSize);
    EXPECT_EQ(Read16(bytes, 0), 0u);
    EXPECT_EQ(Read16(bytes, 2), 1u);  // an icon, not a cursor
    EXPECT_EQ(Read16(bytes, 4), 1u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[6]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[7]), 32);
    EXPECT_EQ(Read16(bytes, 12), 32u);
    EXPECT_EQ(Read32(bytes, 14), expectedSize - 22);
    EXPECT_EQ(Read32(bytes, 18), 22u);
    EXPECT_EQ(Read32(bytes, 22), 40u);
    EXPECT_EQ(Read32(bytes, 26), 32u);
    EXPECT_EQ(Read32(bytes, 30), 64u);  // colour and mask together
    EXPECT_EQ(Read16(bytes, 36), 32u);

    UniqueHicon ownSize = LoadIconFile(path);
    ExpectIconSize(ownSize.get(), 32);
    ExpectSameLook(original.get(), ownSize.get(), 32);
    UniqueHicon askedSize = LoadIconFile(path, 32);
    ExpectSameLook(original.get(), askedSize.get(), 32);

    HICON large = nullptr;
    HICON small = nullptr;
    EXPECT_EQ(::ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u);
    ::ExtractIconExW(path.c_str(), 0, &large, &small, 1);
    UniqueHicon extractedLarge(large);
    UniqueHicon extractedSmall(small);
    ExpectSameLook(original.get(), extractedLarge.get(), 32);
}

TEST(SaveIconFile, KeepsSmallAndLibraryIconsAtTheirSize) {
    TempFolder temp;
    struct Case {
        std::wstring file;
        bool large;
    };
    int n = 0;
    for (const Case& source : {Case{Notepad(), false}, Case{LibraryIcon(L"5.ico"), true},
                               Case{LibraryIcon(L"5gr.ico"), false}, Case{LibraryIcon(L"18.ico"), false}}) {
        SCOPED_TRACE(source.file);
        UniqueHicon original = ProgramIconPicture(source.file, 0, source.large);
        ASSERT_TRUE(original);
        const int side = source.large ? 32 : 16;
        const std::wstring path = temp.path() + L"saved" + std::to_wstring(++n) + L".ico";
        ASSERT_TRUE(SaveIconFile(original.get(), path));
        UniqueHicon loaded = LoadIconFile(path);
        ExpectIconSize(loaded.get(), side);
        ExpectSameLook(original.get(), loaded.get(), side);
    }
}

TEST(SaveIconFile, AnIconWithoutAlphaKeepsItsTransparencyThroughTheMask) {
    // 16 x 16: a red square of 8 x 8 in the middle, the rest transparent by the mask; the colour
    // bitmap carries no alpha at all.
    const int side = 16;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHbitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(colour);
    BYTE maskBits[side * 2] = {};  // 1-bit rows of 16 pixels: two bytes each
    auto inSquare = [](int x, int y) { return x >= 4 && x < 12 && y >= 4 && y < 12; };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            static_cast<std::uint32_t*>(bits)[y * side + x] = inSquare(x, y) ? 0x00FF0000 : 0;
            if (!inSquare(x, y)) maskBits[y * 2 + x / 8] |= 0x80 >> (x % 8);
        }
    }
    UniqueHbitmap mask(::CreateBitmap(side, side, 1, 1, maskBits));
    ICONINFO parts = {TRUE, 0, 0, mask.get(), colour.get()};
    UniqueHicon original(::CreateIconIndirect(&parts));
    ASSERT_TRUE(original);

    TempFolder temp;
    const std::wstring path = temp.path() + L"square.ico";
    ASSERT_TRUE(SaveIconFile(original.get(), path));

    // Alpha made from the mask: opaque in the square, clear around it. Rows are bottom-up.
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 6u + 16 + 40 + side * side * 4 + side * 4);
    for (int row = 0; row < side; ++row) {
        for (int x = 0; x < side; ++x) {
            const int y = side - 1 - row;
            const std::uint32_t pixel = Read32(bytes, 62 + (row * side + x) * 4);
            EXPECT_EQ(pixel >> 24, inSquare(x, y) ? 255u : 0u) << x << "," << y;
        }
    }

    UniqueHicon loaded = LoadIconFile(path);
    ExpectIconSize(loaded.get(), side);
    ExpectSameLook(original.get(), loaded.get(), side);
}

TEST(SaveIconFile, SavesAMonochromeIcon) {
    // 32 x 32 in three bands: transparent, black, white.
    const int side = 32;
    BYTE andBits[side * 4];
    BYTE xorBits[side * 4];
    for (int y = 0; y < side; ++y) {
        // Bytes of a row: transparent (AND set) on the left, black in the middle, white on the
        // right.
        const BYTE andRow[4] = {0xFF, 0xFF, 0x00, 0x00};
        const BYTE xorRow[4] = {0x00, 0x00, 0x00, 0xFF};
        std::memcpy(andBits + y * 4, andRow, 4);
        std::memcpy(xorBits + y * 4, xorRow, 4);
    }
    UniqueHicon original(::CreateIcon(nullptr, side, side, 1, 1, andBits, xorBits));
    ASSERT_TRUE(original);

    TempFolder temp;
    const std::wstring path = temp.path() + L"mono.ico";
    ASSERT_TRUE(SaveIconFile(original.get(), path));
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 6u + 16 + 40 + side * side * 4 + side * 4);
    EXPECT_EQ(Read16(bytes, 36), 32u);

    UniqueHicon loaded = LoadIconFile(path);
    ExpectIconSize(loaded.get(), side);
    ExpectSameLook(original.get(), loaded.get(), side);
}

TEST(SaveIconFile, ReplacesAFileOfThatNameAndLeavesNothingElse) {
    TempFolder temp;
    const std::wstring path = temp.WriteFile(L"button.ico", "an old file that is not an icon");
    UniqueHicon original = ProgramIconPicture(LibraryIcon(L"3.ico"), 0, true);
    ASSERT_TRUE(SaveIconFile(original.get(), path));
    UniqueHicon loaded = LoadIconFile(path);
    ExpectSameLook(original.get(), loaded.get(), 32);
    EXPECT_EQ(FilesIn(temp.path()), std::vector<std::wstring>{L"button.ico"});

    // A relative name lands in the current folder.
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_TRUE(SaveIconFile(original.get(), L"relative.ico"));
    ::SetCurrentDirectoryW(current);
    EXPECT_TRUE(FileExists(temp.path() + L"relative.ico"));
}

TEST(SaveIconFile, FailsWithoutMakingAnything) {
    TempFolder temp;
    UniqueHicon original = ProgramIconPicture(Notepad(), 0, true);
    ASSERT_TRUE(original);

    const std::wstring missingFolder = temp.path() + L"no such folder\\";
    EXPECT_FALSE(SaveIconFile(original.get(), missingFolder + L"icon.ico"));
    EXPECT_EQ(::GetFileAttributesW(missingFolder.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(SaveIconFile(nullptr, temp.path() + L"none.ico"));
    EXPECT_FALSE(SaveIconFile(original.get(), L""));
    EXPECT_FALSE(SaveIconFile(original.get(), temp.path()));  // a folder, not a file name
    ::CreateDirectoryW((temp.path() + L"taken.ico").c_str(), nullptr);
    EXPECT_FALSE(SaveIconFile(original.get(), temp.path() + L"taken.ico"));  // a folder of that name
    EXPECT_TRUE(FilesIn(temp.path()).empty());

    // A read-only file of that name stays as it was.
    const std::wstring locked = temp.WriteFile(L"locked.ico", "kept");
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveIconFile(original.get(), locked));
    EXPECT_EQ(ReadFileBytes(locked), "kept");
    EXPECT_EQ(FilesIn(temp.path()), std::vector<std::wstring>{L"locked.ico"});
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(locked.c_str());

    // A destroyed icon is no icon either.
    HICON gone = ProgramIconPicture(Notepad(), 0, true).release();
    ::DestroyIcon(gone);
    EXPECT_FALSE(SaveIconFile(gone, temp.path() + L"gone.ico"));
    EXPECT_TRUE(FilesIn(temp.path()).empty());
}

// ---------------------------------------------------------------------------------------------
// Telling files apart, and copying a chosen icon file

TEST(IsSameFile, SeesOneFileThroughDifferentSpellings) {
    TempFolder temp;
    const std::wstring file = temp.WriteFile(L"Long Icon Name.ico", "icon");
    const std::wstring other = temp.WriteFile(L"other.ico", "icon");
    const std::wstring folder = temp.path();

    EXPECT_TRUE(IsSameFile(file, file));
    EXPECT_TRUE(IsSameFile(file, folder + L"LONG ICON NAME.ICO"));
    EXPECT_TRUE(IsSameFile(file, folder + L".\\Long Icon Name.ico"));
    EXPECT_TRUE(IsSameFile(file, folder + L"sub\\..\\Long Icon Name.ico"));
    EXPECT_TRUE(IsSameFile(folder + L"Long Icon Name.ico", folder + L"Long Icon Name.ico"));

    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathNameW(file.c_str(), shortName, MAX_PATH), 0u);
    EXPECT_TRUE(IsSameFile(shortName, file)) << shortName;

    // A second name of the same file.
    const std::wstring link = folder + L"link.ico";
    if (::CreateHardLinkW(link.c_str(), file.c_str(), nullptr)) {
        EXPECT_TRUE(IsSameFile(link, file));
    }

    EXPECT_FALSE(IsSameFile(file, other));
    EXPECT_FALSE(IsSameFile(file, folder + L"missing.ico"));
    EXPECT_FALSE(IsSameFile(folder + L"missing.ico", file));
}

TEST(IsSameFile, MissingFilesAreComparedByPath) {
    TempFolder temp;
    const std::wstring missing = temp.path() + L"missing.ico";
    EXPECT_TRUE(IsSameFile(missing, temp.path() + L"MISSING.ico"));
    EXPECT_TRUE(IsSameFile(missing, temp.path() + L"x\\..\\missing.ico"));
    EXPECT_FALSE(IsSameFile(missing, temp.path() + L"missing2.ico"));
    EXPECT_FALSE(IsSameFile(L"", L""));
    EXPECT_FALSE(IsSameFile(missing, L""));
    EXPECT_TRUE(IsSameFile(L"http://www.example.com/a.ico", L"HTTP://www.example.com/A.ico"));
}

TEST(CopyDiskIconFile, CopiesTheChosenFileByteForByte) {
    TempFolder temp;
    const std::wstring source = LibraryIcon(L"12.ico");
    const std::wstring target = temp.path() + L"button.ico";
    EXPECT_TRUE(CopyDiskIconFile(source, target));
    const std::string bytes = ReadFileBytes(source);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(ReadFileBytes(target), bytes);
}

TEST(CopyDiskIconFile, ReplacesWhatIsAtTheTarget) {
    TempFolder temp;
    const std::wstring target = temp.WriteFile(L"button.ico", "the previous, much longer icon file of this button");
    const std::wstring source = temp.WriteFile(L"chosen\\star.ico", "star");
    EXPECT_TRUE(CopyDiskIconFile(source, target));
    EXPECT_EQ(ReadFileBytes(target), "star");
    EXPECT_EQ(ReadFileBytes(source), "star");
}

TEST(CopyDiskIconFile, ChoosingTheFileAlreadyThereLeavesItUntouched) {
    TempFolder temp;
    const std::wstring target = temp.WriteFile(L"button.ico", "the icon in place");
    // An old time, so that any rewrite would show.
    FILETIME old = {};
    SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 6, 0};
    ::SystemTimeToFileTime(&when, &old);
    {
        UniqueFileHandle file(
            ::CreateFileW(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &old));
    }
    for (const std::wstring& chosen : {target, temp.path() + L"BUTTON.ICO", temp.path() + L".\\button.ico"}) {
        SCOPED_TRACE(chosen);
        EXPECT_TRUE(CopyDiskIconFile(chosen, target));
        EXPECT_EQ(ReadFileBytes(target), "the icon in place");
        const FILETIME now = LastWriteTime(target);
        EXPECT_EQ(::CompareFileTime(&now, &old), 0);
    }
}

TEST(CopyDiskIconFile, AMissingSourceLeavesNoTarget) {
    TempFolder temp;
    const std::wstring target = temp.WriteFile(L"button.ico", "the previous icon");
    EXPECT_FALSE(CopyDiskIconFile(temp.path() + L"missing.ico", target));
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(CopyDiskIconFile(L"", target));
    EXPECT_FALSE(FileExists(target));
    // The same missing file as source and target: nothing is there to keep.
    EXPECT_FALSE(CopyDiskIconFile(target, target));
    EXPECT_FALSE(FileExists(target));
    // A target in a folder that does not exist.
    EXPECT_FALSE(CopyDiskIconFile(LibraryIcon(L"1.ico"), temp.path() + L"no folder\\button.ico"));
}

TEST(CopyDiskIconFile, IgnoresWhatFollowsANulInTheChosenPath) {
    TempFolder temp;
    const std::wstring source = temp.WriteFile(L"x\\star.ico", "star icon");
    const std::wstring target = temp.path() + L"button.ico";
    std::wstring chosen = source;
    chosen += L'\0';
    chosen += L"junk\\other.ico";
    chosen += L'\0';
    EXPECT_TRUE(CopyDiskIconFile(chosen, target));
    EXPECT_EQ(ReadFileBytes(target), "star icon");
}

// ---------------------------------------------------------------------------------------------
// No handles left behind

// Free entries in this process's GDI handle table: bitmaps are made until the system refuses
// one, then all deleted again. Used where GetGuiResources does not count: Wine answers 0.
long FreeGdiEntries() {
    const size_t most = 200000;
    std::vector<HBITMAP> taken;
    while (taken.size() < most) {
        HBITMAP bitmap = ::CreateBitmap(1, 1, 1, 1, nullptr);
        if (!bitmap) break;
        taken.push_back(bitmap);
    }
    for (HBITMAP bitmap : taken) ::DeleteObject(bitmap);
    return taken.size() == most ? -1 : static_cast<long>(taken.size());
}

TEST(IconFilesHandles, RepeatedUseLeavesNoObjectsBehind) {
    TempFolder temp;
    const std::wstring iconFile = LibraryIcon(L"9.ico");
    const std::wstring document = temp.WriteFile(L"settings.ini", "[Velmora]\r\n");
    UniqueHicon toSave = ProgramIconPicture(Notepad(), 0, true);
    ASSERT_TRUE(toSave);
    IconHolder picico;

    auto use = [&](int rounds, int saves) {
        for (int i = 0; i < rounds; ++i) {
            ProgramIconPicture(Notepad(), 0, true);
            ProgramIconPicture(Notepad(), 0, false);
            ProgramIconPicture(iconFile, 0, true);
            ProgramIconPicture(iconFile, 0, false);
            LoadFileIcon(Notepad(), picico);
            LoadFileIcon(iconFile, picico);
            LoadFileIcon(document, picico);
        }
        for (int i = 0; i < saves; ++i) {
            ASSERT_TRUE(SaveIconFile(toSave.get(), temp.path() + L"saved" + std::to_wstring(i % 5) + L".ico"));
        }
    };
    // Once first, so that what the system sets up on first use is not counted.
    use(2, 2);
    picico.Clear();

    const HANDLE process = ::GetCurrentProcess();
    const DWORD gdiBefore = ::GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = ::GetGuiResources(process, GR_USEROBJECTS);
    if (gdiBefore != 0) {
        use(300, 50);
        picico.Clear();
        EXPECT_LE(static_cast<long>(::GetGuiResources(process, GR_GDIOBJECTS)) - static_cast<long>(gdiBefore), 5);
        EXPECT_LE(static_cast<long>(::GetGuiResources(process, GR_USEROBJECTS)) - static_cast<long>(userBefore), 5);
        return;
    }

    // Wine keeps no such counts. Its GDI handle table is the process's own, though, and every
    // Wine icon keeps its pictures there as bitmaps, so leaked icons and leaked bitmaps both
    // show as fewer free entries. (Wine's USER handle table is shared by all processes of the
    // session, so it is not measured this way.)
    const long freeBefore = FreeGdiEntries();
    if (freeBefore <= 0) GTEST_SKIP() << "neither GetGuiResources nor the GDI handle table can be counted here";
    {
        // The measure does see a leaked icon.
        UniqueHicon held = ProgramIconPicture(Notepad(), 0, true);
        ASSERT_LT(FreeGdiEntries(), freeBefore);
    }
    use(300, 50);
    picico.Clear();
    EXPECT_LE(freeBefore - FreeGdiEntries(), 5);
}

}  // namespace
}  // namespace velmora
