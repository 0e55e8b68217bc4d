#include "buttons/button_file_names.h"
#include "buttons/button_mapping.h"

#include "buttons/button_operations.h"
#include "buttons/path_parts.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(SafeFileBaseName, KeepsWhatWindowsSavesAndReplacesWhatAFileNameCannotHold) {
    // An extension always follows, so trailing dots and blanks stay, as in earlier versions' names.
    for (const std::wstring name :
         {L"my tool", L"\u00DCberlauf \u8A18\u4E8B\u5E33", L"archive.tar", L"a-b_c (1)", L".profile", L"  lead",
          L"console", L"com10", L"xcon", L"my app.", L"name. .", L"..", L" ", L""}) {
        EXPECT_EQ(SafeFileBaseName(name), name);
    }
    EXPECT_EQ(SafeFileBaseName(L"http://www.example"), L"http___www.example");
    EXPECT_EQ(SafeFileBaseName(L"a<b>c:d\"e/f\\g|h?i*j"), L"a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(SafeFileBaseName(std::wstring(L"tab\there\x01\x1F\n\0z", 13)), L"tab_here____z");
    EXPECT_EQ(SafeFileBaseName(std::wstring(300, L'x')), std::wstring(300, L'x'));  // cut only with its folder
    // Windows opens a device for these, whatever follows the first dot.
    for (const std::wstring name :
         {L"CON", L"nul", L"com1", L"LPT9", L"nul.tar.gz", L"aux .txt", L"COM\u00B9", L"conin$", L"con."}) {
        EXPECT_EQ(SafeFileBaseName(name), L"_" + name);
    }
}

TEST(ButtonFilePath, CutsTheBaseNameOnlyWhereThePathWouldBeTooLong) {
    const std::wstring programFolder = L"C:\\Program Files\\Velmora\\";
    const std::wstring icons = programFolder + L"icons\\";
    const std::wstring fits(kMaxShellPath - icons.size() - 4, L'x');
    EXPECT_EQ(ButtonFilePath(icons, fits, L"", L".ico"), icons + fits + L".ico");
    EXPECT_EQ(ButtonFilePath(icons, fits + L"yy", L"", L".ico"), icons + fits + L".ico");
    EXPECT_EQ(ButtonFilePath(icons, fits, L" (2)", L".ico"), icons + fits.substr(4) + L" (2).ico");
    // Never half a character; never a device name ("console" cut to "con").
    EXPECT_EQ(ButtonFilePath(icons, fits.substr(1) + L"\U0001F600", L"", L".ico"), icons + fits.substr(1) + L".ico");
    const std::wstring deep = icons + std::wstring(kMaxShellPath - icons.size() - 8, L'd') + L"\\";
    EXPECT_EQ(ButtonFilePath(deep, L"console", L"", L".ico"), deep + L"_co.ico");

    // The program icon's own name and the names chosen for a new button agree, plain or numbered.
    const std::wstring program = L"C:\\Apps\\" + fits + L"zzz.exe";
    const std::wstring plain = ChooseButtonFilePath(icons, PathPart(program, 2), L".ico", {});
    EXPECT_EQ(plain, ProgramIconFile(programFolder, program));
    EXPECT_EQ(plain, icons + fits + L".ico");
    const std::wstring numbered = ChooseButtonFilePath(icons, PathPart(program, 2), L".ico", {plain});
    EXPECT_EQ(numbered.size(), kMaxShellPath);
    for (const std::wstring& path : {plain, numbered}) {
        EXPECT_TRUE(IsButtonFilePathFor(path, icons, PathPart(program, 2), L".ico")) << path;
    }
}

TEST(ChooseButtonFilePath, NumbersNamesThatOtherButtonsOrTheLibraryUseButNotFilesOnDisk) {
    testing::TempFolder temp;
    const std::wstring icons = temp.path() + L"icons\\";
    const std::wstring shortcuts = L"C:\\Program Files\\Velmora\\shortcuts\\";
    temp.WriteFile(L"icons\\edit.ico", "an old icon that no other button uses");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {}), icons + L"edit.ico");
    // Files of other buttons in the other folder or under another name do not matter.
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {shortcuts + L"edit.ico", icons + L"edit2.ico"}),
              icons + L"edit.ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {icons + L"edit.ico"}), icons + L"edit (2).ico");
    // Compared as Windows compares file names: without regard to case.
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, L"Edit", L".lnk",
                                   {L"c:\\PROGRAM FILES\\velmora\\SHORTCUTS\\EDIT.LNK", shortcuts + L"edit (2).lnk"}),
              shortcuts + L"Edit (3).lnk");
    // The library icons 1 to 25 and 1gr to 25gr are never taken; other numbers and shortcuts are.
    for (const std::wstring taken : {L"12gr", L"25GR"}) {
        EXPECT_EQ(ChooseButtonFilePath(icons, taken, L".ico", {}), icons + taken + L" (2).ico");
    }
    EXPECT_EQ(ChooseButtonFilePath(icons, L"1", L".ico", {icons + L"1 (2).ico"}), icons + L"1 (3).ico");
    for (const std::wstring free : {L"0", L"26", L"07", L"12 gr"}) {
        EXPECT_EQ(ChooseButtonFilePath(icons, free, L".ico", {}), icons + free + L".ico");
    }
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, L"7", L".lnk", {}), shortcuts + L"7.lnk");

    // A file another button names through another spelling of the folder (its short name here, as
    // a mapped drive or a junction would give) is the same file: never taken.
    const std::wstring longFolder = temp.path() + L"Program Folder Of Velmora\\";
    const std::wstring used = temp.WriteFile(L"Program Folder Of Velmora\\icons\\tool.ico", "another button's icon");
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(longFolder.c_str(), shortName, MAX_PATH), 0u);
    if (longFolder == shortName) GTEST_SKIP() << "no short names on this volume";
    EXPECT_EQ(ChooseButtonFilePath(std::wstring(shortName) + L"icons\\", L"tool", L".ico", {used}),
              std::wstring(shortName) + L"icons\\tool (2).ico");
}

}  // namespace
}  // namespace velmora
