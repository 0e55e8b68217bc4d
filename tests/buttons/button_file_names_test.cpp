#include "buttons/button_file_names.h"

#include "buttons/paths.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using testing::FileExists;
using testing::TempFolder;

TEST(SafeFileBaseName, KeepsOrdinaryNames) {
    for (const std::wstring name : {L"app", L"edit", L"my tool", L"\u00DCberlauf", L"\u8A18\u4E8B\u5E33",
                                    L"archive.tar", L"a-b_c (1)", L"12gr", L".profile", L"  lead"}) {
        EXPECT_EQ(SafeFileBaseName(name), name);
    }
}

TEST(SafeFileBaseName, ReplacesWhatAFileNameCannotHold) {
    EXPECT_EQ(SafeFileBaseName(L"http://www.example"), L"http___www.example");
    EXPECT_EQ(SafeFileBaseName(L"a<b>c:d\"e/f\\g|h?i*j"), L"a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(SafeFileBaseName(std::wstring(L"tab\there\x01\x1F\n\0z", 13)), L"tab_here____z");
    EXPECT_EQ(SafeFileBaseName(L"..\\..\\evil"), L".._.._evil");
    // Windows drops trailing dots and blanks; they are kept as "_" instead.
    EXPECT_EQ(SafeFileBaseName(L".."), L"__");
    EXPECT_EQ(SafeFileBaseName(L"."), L"_");
    EXPECT_EQ(SafeFileBaseName(L"name. ."), L"name___");
    EXPECT_EQ(SafeFileBaseName(L"   "), L"___");
    EXPECT_EQ(SafeFileBaseName(L""), L"_");
}

TEST(SafeFileBaseName, DeviceNamesGetAPrefix) {
    for (const std::wstring name : {L"CON", L"con", L"Prn", L"aux", L"NUL", L"com1", L"COM9", L"lpt1", L"LPT9",
                                    L"con.tar", L"nul.tar.gz", L"aux .txt", L"COM\u00B9", L"conin$"}) {
        EXPECT_EQ(SafeFileBaseName(name), L"_" + name);
    }
    for (const std::wstring name : {L"console", L"com10", L"lpt", L"nul_", L"xcon", L"con_tar"}) {
        EXPECT_EQ(SafeFileBaseName(name), name);
    }
    // "con." is CON to Windows too; its trailing dot alone already makes it a plain name.
    EXPECT_EQ(SafeFileBaseName(L"con."), L"con_");
}

TEST(SafeFileBaseName, CutsLongNames) {
    EXPECT_EQ(SafeFileBaseName(std::wstring(300, L'x')), std::wstring(100, L'x'));
    // The cut never leaves a trailing dot, a lone half of a character or a device name behind.
    EXPECT_EQ(SafeFileBaseName(std::wstring(99, L'x') + L". tail"), std::wstring(99, L'x') + L"_");
    const std::wstring emoji = L"\U0001F600";
    const std::wstring cut = SafeFileBaseName(std::wstring(99, L'x') + emoji + L"tail");
    EXPECT_EQ(cut, std::wstring(99, L'x'));
    const std::wstring device = SafeFileBaseName(L"con." + std::wstring(200, L'y'));
    EXPECT_EQ(device.size(), 100u);
    EXPECT_EQ(device.substr(0, 5), L"_con.");
}

TEST(SafeFileBaseName, EveryResultCanBeSavedInItsFolder) {
    TempFolder temp;
    const std::wstring awkward[] = {L"http://www.example.com/index",
                                    L"..",
                                    L"...",
                                    L" ",
                                    L"CON",
                                    L"nul.txt",
                                    L"aux .txt",
                                    L"com1",
                                    L"a?b*c",
                                    L"trailing. ",
                                    L"..\\..\\evil",
                                    L"C:",
                                    std::wstring(L"ctl\x07", 4),
                                    std::wstring(250, L'w')};
    for (const std::wstring& name : awkward) {
        SCOPED_TRACE(::testing::PrintToString(name));
        const std::wstring file = SafeFileBaseName(name);
        const std::wstring path = temp.path() + file + L".lnk";
        const std::wstring written = temp.WriteFile(file + L".lnk", "x");
        EXPECT_EQ(written, path);
        EXPECT_TRUE(FileExists(path));
        // The file is found in the folder under exactly the name given.
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW(path.c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        ::FindClose(find);
        EXPECT_EQ(std::wstring(data.cFileName), file + L".lnk");
        EXPECT_TRUE(::DeleteFileW(path.c_str()));
    }
}

class ChooseButtonFilePathTest : public ::testing::Test {
protected:
    const std::wstring program = L"C:\\Program Files\\Velmora\\";
    const std::wstring icons = program + L"icons\\";
    const std::wstring shortcuts = program + L"shortcuts\\";
};

TEST_F(ChooseButtonFilePathTest, TakesTheBaseNameWhenFree) {
    EXPECT_EQ(ChooseButtonFilePath(icons, PathPart(L"C:\\Apps\\edit.exe", 2), L".ico", {}), icons + L"edit.ico");
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, PathPart(L"C:\\Apps\\edit.exe", 2), L".lnk", {}), shortcuts + L"edit.lnk");
    // Files of other buttons in the other folder or under another name do not matter.
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {shortcuts + L"edit.ico", icons + L"edit2.ico"}),
              icons + L"edit.ico");
}

TEST_F(ChooseButtonFilePathTest, NumbersNamesThatOtherButtonsUse) {
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {icons + L"edit.ico"}), icons + L"edit (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"edit", L".ico", {icons + L"edit (2).ico", icons + L"edit.ico"}),
              icons + L"edit (3).ico");
    // Compared as Windows compares file names: without regard to case.
    EXPECT_EQ(ChooseButtonFilePath(icons, L"Edit", L".ico", {L"c:\\PROGRAM FILES\\velmora\\ICONS\\EDIT.ICO"}),
              icons + L"Edit (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"\u00DCber", L".ico", {icons + L"\u00FCBER.ico"}),
              icons + L"\u00DCber (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, L"edit", L".lnk", {shortcuts + L"edit.lnk", shortcuts + L"EDIT (2).LNK"}),
              shortcuts + L"edit (3).lnk");
}

TEST_F(ChooseButtonFilePathTest, NeverTakesALibraryIconName) {
    EXPECT_EQ(ChooseButtonFilePath(icons, L"12gr", L".ico", {}), icons + L"12gr (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"7", L".ico", {}), icons + L"7 (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"1", L".ico", {}), icons + L"1 (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"25GR", L".ico", {}), icons + L"25GR (2).ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"7", L".ico", {icons + L"7 (2).ico"}), icons + L"7 (3).ico");
    // Only names that ship: 0, 26 and the like are free, and so is any name for a shortcut.
    EXPECT_EQ(ChooseButtonFilePath(icons, L"0", L".ico", {}), icons + L"0.ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"26", L".ico", {}), icons + L"26.ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"07", L".ico", {}), icons + L"07.ico");
    EXPECT_EQ(ChooseButtonFilePath(icons, L"12 gr", L".ico", {}), icons + L"12 gr.ico");
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, L"7", L".lnk", {}), shortcuts + L"7.lnk");
}

TEST_F(ChooseButtonFilePathTest, NamesFromUrlsAndOddPathsStayInTheFolder) {
    EXPECT_EQ(ChooseButtonFilePath(shortcuts, PathPart(L"http://www.example.com/", 2), L".lnk", {}),
              shortcuts + L"http___www.example.lnk");
    for (const std::wstring base : {L"..\\..\\evil", L"..", L"/etc/passwd", L"C:\\Windows\\notepad", L"",
                                    L"\\\\server\\share\\x", L"nul", L"a:b"}) {
        SCOPED_TRACE(::testing::PrintToString(base));
        for (const std::wstring& folder : {icons, shortcuts}) {
            const std::wstring path = ChooseButtonFilePath(folder, base, L".ico", {});
            ASSERT_EQ(path.substr(0, folder.size()), folder);
            const std::wstring name = path.substr(folder.size());
            EXPECT_EQ(name.find_first_of(L"\\/:"), std::wstring::npos) << ::testing::PrintToString(name);
            EXPECT_NE(name, L".ico");
            // Windows reads the path back as a file directly inside the folder.
            wchar_t full[MAX_PATH];
            wchar_t* filePart = nullptr;
            ASSERT_NE(::GetFullPathNameW(path.c_str(), MAX_PATH, full, &filePart), 0u);
            EXPECT_EQ(std::wstring(full), path);
        }
    }
}

TEST_F(ChooseButtonFilePathTest, AFileOnDiskThatNoOtherButtonUsesIsReplaced) {
    TempFolder temp;
    const std::wstring folder = temp.path() + L"icons\\";
    const std::wstring existing = temp.WriteFile(L"icons\\edit.ico", "old icon");
    ASSERT_TRUE(FileExists(existing));
    EXPECT_EQ(ChooseButtonFilePath(folder, L"edit", L".ico", {}), existing);
    EXPECT_EQ(ChooseButtonFilePath(folder, L"edit", L".ico", {existing}), folder + L"edit (2).ico");
}

}  // namespace
}  // namespace velmora
