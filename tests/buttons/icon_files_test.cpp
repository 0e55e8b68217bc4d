#include "buttons/icon_files.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadFileBytes;
using testing::TempFolder;

// The library icons are copied beside the test program, in "icons".
std::wstring LibraryIcon(const std::wstring& name) {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring path = program;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"icons\\" + name;
}

std::wstring SystemFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

const std::wstring kNotepad = SystemFile(L"notepad.exe");

// The side of a square icon; -1 for no icon or one that is not square.
int IconSide(HICON icon) {
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info)) return -1;
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    BITMAP shape = {};
    ::GetObjectW(mask.get(), sizeof shape, &shape);
    return shape.bmWidth == shape.bmHeight ? shape.bmWidth : -1;
}

// What a user sees: the icon drawn at its size over a plain background, as RGB pixels.
std::vector<std::uint32_t> DrawOver(HICON icon, int side, std::uint32_t background, UINT how) {
    BITMAPINFO info = {};
    info.bmiHeader = {static_cast<DWORD>(sizeof(BITMAPINFOHEADER)), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    UniqueHbitmap canvas(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels;
    if (canvas) {
        auto* data = static_cast<std::uint32_t*>(bits);
        std::fill(data, data + side * side, background);
        HGDIOBJ old = ::SelectObject(dc, canvas.get());
        ::DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, how);
        ::GdiFlush();
        ::SelectObject(dc, old);
        for (int i = 0; i < side * side; ++i) pixels.push_back(data[i] & 0x00FFFFFF);
    }
    ::DeleteDC(dc);
    return pixels;
}

// Two icons look the same when they draw the same pixels over two different backgrounds, and
// have the same mask for programs that draw icons by their mask.
void ExpectSameLook(HICON expected, HICON actual, int side) {
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(IconSide(actual), side);
    for (UINT how : {DI_NORMAL, DI_MASK}) {
        for (std::uint32_t background : {0xFF00FFu, 0x00A000u}) {
            const auto want = DrawOver(expected, side, background, how);
            ASSERT_EQ(want.size(), static_cast<size_t>(side * side));
            EXPECT_EQ(DrawOver(actual, side, background, how), want)
                << (how == DI_MASK ? "mask" : "picture") << " differs over background " << std::hex << background;
        }
    }
}

UniqueHicon LoadIconFile(const std::wstring& path) {
    return UniqueHicon(static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
}

std::uint32_t U32At(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

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

TEST(ProgramIconPicture, TakesBothSizesFromProgramsLibrariesAndIconFiles) {
    ASSERT_EQ(::GetSystemMetrics(SM_CXICON), 32);
    ASSERT_EQ(::GetSystemMetrics(SM_CXSMICON), 16);
    // The library icons are drawn at 20 x 20 and come out scaled to the system sizes.
    const std::pair<std::wstring, int> sources[] = {{kNotepad, 0}, {SystemFile(L"shell32.dll"), 3},
                                                    {LibraryIcon(L"5.ico"), 0}, {LibraryIcon(L"5gr.ico"), 0}};
    for (const auto& [file, number] : sources) {
        SCOPED_TRACE(file + L" #" + std::to_wstring(number));
        EXPECT_EQ(IconSide(ProgramIconPicture(file, number, true).get()), 32);
        EXPECT_EQ(IconSide(ProgramIconPicture(file, number, false).get()), 16);
    }
}

TEST(ProgramIconPicture, NothingFromFilesWithoutThatIcon) {
    TempFolder temp;
    for (const std::wstring& file :
         {temp.WriteFile(L"notes.txt", "just some text\r\n"), temp.WriteFile(L"fake.exe", "MZ but not a program"),
          temp.WriteFile(L"broken.ico", std::string("\0\0\1\0\1\0garbage", 12)), temp.path() + L"missing.exe",
          std::wstring(L"http://www.example.com/"), std::wstring(), temp.path()}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(ProgramIconPicture(file, 0, true));
        EXPECT_FALSE(ProgramIconPicture(file, 0, false));
    }
    // An icon number past the last icon of a file that has some.
    EXPECT_FALSE(ProgramIconPicture(kNotepad, 500, true));
    EXPECT_FALSE(ProgramIconPicture(LibraryIcon(L"5.ico"), 1, false));
}

TEST(LoadFileIcon, TakesTheIconOfTheFileOrOfTheProgramThatOpensIt) {
    TempFolder temp;
    UniqueHicon notepadIcon = ProgramIconPicture(kNotepad, 0, false);
    IconHolder picico;
    EXPECT_EQ(LoadFileIcon(kNotepad, picico), 0);
    ExpectSameLook(notepadIcon.get(), picico.get(), 16);
    EXPECT_EQ(LoadFileIcon(LibraryIcon(L"7.ico"), picico), 0);
    EXPECT_EQ(IconSide(picico.get()), 16);

    // Wine opens ".ini" files with Notepad (it has no ".txt" association of its own).
    EXPECT_EQ(LoadFileIcon(temp.WriteFile(L"settings.ini", "[Velmora]\r\n"), picico), 0);
    ExpectSameLook(notepadIcon.get(), picico.get(), 16);

    // A batch file and a would-be program open themselves, and hold no icon: no picture then.
    for (const std::wstring& file : {temp.WriteFile(L"run.bat", "@echo off\r\n"), temp.WriteFile(L"fake.exe", "x")}) {
        SCOPED_TRACE(file);
        picico.Set(ProgramIconPicture(kNotepad, 0, false));
        EXPECT_EQ(LoadFileIcon(file, picico), 0);
        EXPECT_TRUE(picico.empty());
    }
}

TEST(LoadFileIcon, NoIconAndNoProgramLeavesThePictureAlone) {
    TempFolder temp;
    for (const std::wstring& file :
         {temp.WriteFile(L"data.zzqq", "text"), temp.path() + L"missing.exe", temp.path() + L"missing.ini",
          std::wstring(L"http://www.example.com/index.html"), std::wstring()}) {
        SCOPED_TRACE(file);
        IconHolder picico;
        picico.Set(ProgramIconPicture(kNotepad, 0, false));
        const HICON before = picico.get();
        EXPECT_EQ(LoadFileIcon(file, picico), 1);
        EXPECT_EQ(picico.get(), before);
        EXPECT_EQ(IconSide(picico.get()), 16);  // still a live icon
    }
}

TEST(SaveIconFile, SavedIconsLoadBackLookingLikeTheOriginal) {
    TempFolder temp;
    const std::pair<std::wstring, bool> sources[] = {{kNotepad, true}, {kNotepad, false}, {LibraryIcon(L"5.ico"), true},
                                                     {LibraryIcon(L"18gr.ico"), false}};
    int n = 0;
    for (const auto& [file, large] : sources) {
        SCOPED_TRACE(file);
        UniqueHicon original = ProgramIconPicture(file, 0, large);
        const int side = large ? 32 : 16;
        // Each replaces a file of that name that is no icon.
        const std::wstring path = temp.WriteFile(L"saved" + std::to_wstring(++n) + L".ico", "not an icon");
        ASSERT_TRUE(SaveIconFile(original.get(), path));
        // One 32-bit image with its 1-bit mask, at the icon's own size.
        const std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.size(), 6u + 16 + 40 + side * side * 4 + side * 4);
        EXPECT_EQ(U32At(bytes, 36) & 0xFFFF, 32u);
        EXPECT_EQ(::ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u);
        ExpectSameLook(original.get(), LoadIconFile(path).get(), side);
        ExpectSameLook(original.get(), ProgramIconPicture(path, 0, large).get(), side);
    }
    EXPECT_EQ(FilesIn(temp.path()).size(), 4u);  // no temporary file left behind
}

TEST(SaveIconFile, AnIconWithoutAlphaGetsItsAlphaFromTheMask) {
    // 16 x 16: a red square of 8 x 8 in the middle, the rest transparent by the mask; the colour
    // pixels carry no alpha at all.
    const int side = 16;
    auto inSquare = [](int x, int y) { return x >= 4 && x < 12 && y >= 4 && y < 12; };
    std::uint32_t colour[side * side] = {};
    BYTE mask[side * 2] = {};  // rows of two bytes, top-down
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (inSquare(x, y)) colour[y * side + x] = 0x00FF0000;
            else mask[y * 2 + x / 8] |= 0x80 >> (x % 8);
        }
    }
    UniqueHicon original(::CreateIcon(nullptr, side, side, 1, 32, mask, reinterpret_cast<BYTE*>(colour)));
    ASSERT_TRUE(original);
    TempFolder temp;
    const std::wstring path = temp.path() + L"square.ico";
    ASSERT_TRUE(SaveIconFile(original.get(), path));

    // Opaque in the square, clear around it. Rows in the file are bottom-up.
    const std::string bytes = ReadFileBytes(path);
    for (int row = 0; row < side; ++row) {
        for (int x = 0; x < side; ++x) {
            EXPECT_EQ(U32At(bytes, 62 + (row * side + x) * 4) >> 24, inSquare(x, side - 1 - row) ? 255u : 0u)
                << x << "," << row;
        }
    }
    ExpectSameLook(original.get(), LoadIconFile(path).get(), side);
}

TEST(SaveIconFile, FailsWithoutMakingAnything) {
    TempFolder temp;
    UniqueHicon original = ProgramIconPicture(kNotepad, 0, true);
    const std::wstring missingFolder = temp.path() + L"no such folder\\";
    EXPECT_FALSE(SaveIconFile(original.get(), missingFolder + L"icon.ico"));
    EXPECT_EQ(::GetFileAttributesW(missingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SaveIconFile(nullptr, temp.path() + L"none.ico"));
    EXPECT_FALSE(SaveIconFile(original.get(), L""));
    EXPECT_FALSE(SaveIconFile(original.get(), temp.path()));  // a folder, not a file name
    EXPECT_TRUE(FilesIn(temp.path()).empty());
}

TEST(IsSameFile, SeesOneFileThroughDifferentSpellingsAndComparesMissingFilesByPath) {
    TempFolder temp;
    const std::wstring folder = temp.path();
    const std::wstring file = temp.WriteFile(L"Long Icon Name.ico", "icon");
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathNameW(file.c_str(), shortName, MAX_PATH), 0u);
    for (const std::wstring& same : {file, folder + L"LONG ICON NAME.ICO", folder + L"sub\\..\\Long Icon Name.ico",
                                     std::wstring(shortName)}) {
        EXPECT_TRUE(IsSameFile(file, same)) << same;
    }
    EXPECT_FALSE(IsSameFile(file, temp.WriteFile(L"other.ico", "icon")));
    EXPECT_FALSE(IsSameFile(file, folder + L"missing.ico"));
    EXPECT_TRUE(IsSameFile(folder + L"missing.ico", folder + L"x\\..\\MISSING.ico"));
    EXPECT_FALSE(IsSameFile(folder + L"missing.ico", folder + L"missing2.ico"));
    EXPECT_FALSE(IsSameFile(L"", L""));
}

TEST(CopyDiskIconFile, CopiesTheChosenFileByteForByteUnlessItIsTheTarget) {
    TempFolder temp;
    const std::wstring target = temp.path() + L"button.ico";
    const std::wstring library = LibraryIcon(L"12.ico");
    EXPECT_TRUE(CopyDiskIconFile(library, target));
    ASSERT_FALSE(ReadFileBytes(library).empty());
    EXPECT_EQ(ReadFileBytes(target), ReadFileBytes(library));

    const std::wstring star = temp.WriteFile(L"chosen\\star.ico", "star");
    EXPECT_TRUE(CopyDiskIconFile(star, target));
    EXPECT_EQ(ReadFileBytes(target), "star");
    EXPECT_EQ(ReadFileBytes(star), "star");

    // A file dialog's answer may carry more after a NUL.
    EXPECT_TRUE(CopyDiskIconFile(temp.WriteFile(L"x\\moon.ico", "moon") + L'\0' + L"junk\\other.ico", target));
    EXPECT_EQ(ReadFileBytes(target), "moon");

    // Choosing the file already there leaves it as it is.
    for (const std::wstring& chosen : {target, temp.path() + L"BUTTON.ICO", temp.path() + L".\\button.ico"}) {
        EXPECT_TRUE(CopyDiskIconFile(chosen, target)) << chosen;
        EXPECT_EQ(ReadFileBytes(target), "moon");
    }
}

TEST(CopyDiskIconFile, AMissingSourceLeavesNoTarget) {
    TempFolder temp;
    const std::wstring target = temp.WriteFile(L"button.ico", "the previous icon");
    EXPECT_FALSE(CopyDiskIconFile(temp.path() + L"missing.ico", target));
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(CopyDiskIconFile(L"", target));
    EXPECT_FALSE(CopyDiskIconFile(target, target));  // the same missing file: nothing to keep
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(CopyDiskIconFile(LibraryIcon(L"1.ico"), temp.path() + L"no folder\\button.ico"));
}

// The GDI and USER objects this process holds, give or take a constant. Wine's GetGuiResources
// answers 0, but Wine keeps every icon's pictures as bitmaps in the process's own GDI handle table,
// so there the entries taken are counted by making bitmaps until the table is full.
long ObjectsInUse() {
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

TEST(IconFilesHandles, RepeatedUseLeavesNoObjectsBehind) {
    TempFolder temp;
    const std::wstring document = temp.WriteFile(L"settings.ini", "[Velmora]\r\n");
    UniqueHicon toSave = ProgramIconPicture(kNotepad, 0, true);
    IconHolder picico;
    auto use = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            for (const std::wstring& file : {kNotepad, LibraryIcon(L"9.ico")}) {
                ProgramIconPicture(file, 0, true);
                ProgramIconPicture(file, 0, false);
                LoadFileIcon(file, picico);
            }
            LoadFileIcon(document, picico);
            if (i % 6 == 0) {
                ASSERT_TRUE(SaveIconFile(toSave.get(), temp.path() + L"saved.ico"));
            }
        }
        picico.Clear();
    };
    use(2);  // what the system sets up on first use is not counted
    const long before = ObjectsInUse();
    {
        UniqueHicon held = ProgramIconPicture(kNotepad, 0, true);
        ASSERT_GT(ObjectsInUse(), before) << "the count does not see a held icon";
    }
    use(300);
    EXPECT_LE(ObjectsInUse() - before, 10);
}

}  // namespace
}  // namespace velmora
