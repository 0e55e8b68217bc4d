#include "buttons/icon_files.h"

#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace velmora {
namespace {

using namespace testing;

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
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
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

std::uint32_t U32At(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(LoadFileIcon, TakesTheIconOfTheFileOrOfTheProgramThatOpensItOrLeavesThePictureAlone) {
    TempFolder temp;
    UniqueHicon notepadIcon = ProgramIconPicture(kNotepad, 0, false);
    enum class Shown { Notepad, Nothing, AsBefore };
    const struct {
        std::wstring file;
        int answer;
        Shown shown;
    } cases[] = {
        // Wine opens ".ini" files with Notepad (it has no ".txt" association of its own); a batch
        // file opens itself and holds no icon; nothing opens the others.
        {kNotepad, 0, Shown::Notepad},
        {temp.WriteFile(L"settings.ini", "[Velmora]\r\n"), 0, Shown::Notepad},
        {temp.WriteFile(L"run.bat", "@echo off\r\n"), 0, Shown::Nothing},
        {temp.WriteFile(L"data.zzqq", "text"), 1, Shown::AsBefore},
        {L"http://example.com/a.html", 1, Shown::AsBefore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        IconHolder picico;
        picico.Set(ProgramIconPicture(ShippedLibraryIcon(L"3.ico"), 0, false));
        const HICON before = picico.get();
        EXPECT_EQ(LoadFileIcon(c.file, picico), c.answer);
        if (c.shown == Shown::Notepad) {
            ExpectSameLook(notepadIcon.get(), picico.get(), 16);
        } else {
            EXPECT_TRUE(c.shown == Shown::Nothing ? picico.empty() : picico.get() == before && IconSide(before) == 16);
        }
    }
}

// Icons of a program and of an icon file (the library's, drawn at 20 x 20) at both system sizes.
// (Files with no icon, URLs and paths too long for the shell: the catalogue.)
TEST(SaveIconFile, SavedIconsLoadBackLookingLikeTheOriginalAndFailuresMakeNothing) {
    ASSERT_EQ(::GetSystemMetrics(SM_CXICON), 32);
    ASSERT_EQ(::GetSystemMetrics(SM_CXSMICON), 16);
    TempFolder temp;
    const std::wstring library = ShippedLibraryIcon(L"18gr.ico");
    const std::pair<std::wstring, bool> sources[] = {
        {kNotepad, true}, {kNotepad, false}, {library, false}, {library, true}};
    int n = 0;
    for (const auto& [file, large] : sources) {
        SCOPED_TRACE(file + (large ? L" large" : L" small"));
        UniqueHicon original = ProgramIconPicture(file, 0, large);
        const int side = large ? 32 : 16;
        // Each replaces a file of that name that is no icon.
        const std::wstring path = temp.WriteFile(L"saved" + std::to_wstring(++n) + L".ico", "not an icon");
        ASSERT_TRUE(SaveIconFile(original.get(), path));
        // One 32-bit image with its 1-bit mask, at the icon's own size.
        const std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.size(), 6u + 16 + 40 + side * side * 4 + side * 4);
        EXPECT_EQ(U32At(bytes, 36) & 0xFFFF, 32u);
        if (file != kNotepad) {  // a picture without alpha (the library's palette icons) takes it from the mask
            int transparent = 0;
            for (int at = 0; at < side * side; ++at) {  // mask rows are padded to 4 bytes
                const bool masked = bytes[62 + side * side * 4 + at / side * 4 + at % side / 8] & (0x80 >> (at % 8));
                transparent += masked;
                EXPECT_EQ(U32At(bytes, 62 + at * 4) >> 24, masked ? 0u : 255u) << "pixel " << at;
            }
            EXPECT_TRUE(transparent > 0 && transparent < side * side) << transparent;
        }
        ExpectSameLook(original.get(), ProgramIconPicture(path, 0, large).get(), side);
    }

    // Failures make and change nothing.
    UniqueHicon original = ProgramIconPicture(kNotepad, 0, true);
    const std::wstring readOnly = temp.WriteFile(L"read-only.ico", "kept");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveIconFile(original.get(), readOnly));
    EXPECT_EQ(ReadFileBytes(readOnly), "kept");
    EXPECT_FALSE(SaveIconFile(original.get(), temp.path() + L"no such folder\\icon.ico"));
    EXPECT_FALSE(SaveIconFile(original.get(), temp.path()));  // a folder, not a file name
    EXPECT_EQ(::GetFileAttributesW((temp.path() + L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ListFiles(temp.path()).size(), 5u);  // no temporary file left behind
}

TEST(CopyDiskIconFile, CopiesTheChosenFileUnlessItIsTheTargetHoweverSpelled) {
    TempFolder temp;
    const std::wstring target = temp.path() + L"Long Icon Name.ico";
    const std::wstring star = temp.WriteFile(L"chosen\\star.ico", "star");
    EXPECT_TRUE(CopyDiskIconFile(star, target));
    EXPECT_EQ(ReadFileBytes(target) + ReadFileBytes(star), "starstar");
    // A file dialog's answer may carry more after a NUL.
    EXPECT_TRUE(CopyDiskIconFile(temp.WriteFile(L"x\\moon.ico", "moon") + L'\0' + L"junk\\other.ico", target));
    EXPECT_EQ(ReadFileBytes(target), "moon");

    // Choosing the file already there leaves it as it is.
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathNameW(target.c_str(), shortName, MAX_PATH), 0u);
    for (const std::wstring& chosen : {target, temp.path() + L"LONG ICON NAME.ICO",
                                       temp.path() + L"sub\\..\\Long Icon Name.ico", std::wstring(shortName)}) {
        EXPECT_TRUE(IsSameFile(chosen, target) && CopyDiskIconFile(chosen, target)) << chosen;
        EXPECT_EQ(ReadFileBytes(target), "moon");
    }
    EXPECT_FALSE(IsSameFile(target, star) || IsSameFile(target, temp.path() + L"missing.ico") || IsSameFile(L"", L""));
    // Missing files are compared by their full paths.
    EXPECT_TRUE(IsSameFile(temp.path() + L"missing.ico", temp.path() + L"x\\..\\MISSING.ico"));
    EXPECT_FALSE(IsSameFile(temp.path() + L"missing.ico", temp.path() + L"missing2.ico"));

    // A missing source leaves no target.
    EXPECT_FALSE(CopyDiskIconFile(temp.path() + L"missing.ico", target));
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(CopyDiskIconFile(L"", target));
    EXPECT_FALSE(CopyDiskIconFile(target, target));  // the same missing file: nothing to keep
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(CopyDiskIconFile(star, temp.path() + L"no folder\\button.ico"));
}

}  // namespace
}  // namespace velmora
