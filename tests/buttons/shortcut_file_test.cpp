#include "buttons/shortcut_file.h"

#include "buttons/paths.h"
#include "common/unique_handles.h"
#include "tests/support/temp_folder.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadFileBytes;
using testing::TempFolder;

// The description stored in a shortcut, read through the shell's own link object.
std::wstring StoredDescription(const std::wstring& linkPath) {
    ComApartment apartment;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    wchar_t description[INFOTIPSIZE + 1] = {};
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
        !(file = link.query<IPersistFile>()) || FAILED(file->Load(linkPath.c_str(), STGM_READ)) ||
        FAILED(link->GetDescription(description, INFOTIPSIZE))) {
        return L"<not read>";
    }
    return description;
}

// The show command as the file stores it (the header field at 0x3C): Wine's link object does not
// load it from a file and always reads back normal.
int StoredShowCommand(const std::wstring& linkPath) {
    const std::string bytes = ReadFileBytes(linkPath);
    std::int32_t showCommand = -1;
    if (bytes.size() >= 0x40) std::memcpy(&showCommand, bytes.data() + 0x3C, sizeof showCommand);
    return showCommand;
}

bool RunningOnWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Wine keeps a shortcut's target path in the ANSI code page only; Windows keeps every character.
std::wstring TargetAsReadBack(const std::wstring& target) {
    if (!RunningOnWine()) return target;
    std::string ansi(target.size() * 4 + 1, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, target.c_str(), -1, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    std::wstring back(ansi.size(), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), static_cast<int>(back.size()));
    return back.substr(0, back.find(L'\0'));
}

ShortcutContents Read(const std::wstring& linkPath) {
    ShortcutContents contents;
    EXPECT_TRUE(ReadShortcutFile(linkPath, contents)) << "cannot read " << ::testing::PrintToString(linkPath);
    return contents;
}

class ShortcutFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::wstring target = temp.WriteFile(L"App\\tool.exe", "MZ not really a program");
    std::wstring link = temp.path() + L"tool.lnk";
};

TEST_F(ShortcutFileTest, StoresEverythingGivenAsTheShellReadsIt) {
    // Long arguments and paths with characters outside the ANSI code page.
    std::wstring arguments = L"/open \"C:\\My Files\\a b.txt\" \u0436\u65E5";
    while (arguments.size() < 900) arguments += L" --option=" + std::to_wstring(arguments.size());
    const std::wstring folder = temp.path() + L"\u00DCberlauf \u65E5\u672C";
    const std::wstring program = temp.WriteFile(L"\u00DCberlauf \u65E5\u672C\\\u0161\u00E9.exe", "MZ");
    const std::wstring icon = temp.WriteFile(L"\u00DCberlauf \u65E5\u672C\\\u0436.ico", "icon");
    ASSERT_TRUE(CreateShortcutFile(link, program, folder, arguments, icon, 3, SW_SHOWMINNOACTIVE));

    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target, TargetAsReadBack(program));
    EXPECT_EQ(read.workingFolder, folder);
    EXPECT_EQ(read.arguments, arguments);
    EXPECT_EQ(read.iconFile, icon);
    EXPECT_EQ(read.iconNumber, 3);
    EXPECT_EQ(StoredShowCommand(link), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(read.showCommand, RunningOnWine() ? SW_SHOWNORMAL : SW_SHOWMINNOACTIVE);
    EXPECT_EQ(StoredDescription(link), L"ShellLink Sample");
}

TEST_F(ShortcutFileTest, LeavesOutWhatIsNotGivenAndReplacesAnExistingFile) {
    ASSERT_TRUE(CreateShortcutFile(link, target, temp.path() + L"App", L"-first", target, 1, SW_SHOWMAXIMIZED));
    const std::wstring other = temp.WriteFile(L"Other\\second.exe", "MZ");
    ASSERT_TRUE(CreateShortcutFile(link, other, L"", L"", L"", 0, SW_SHOW));
    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target, other);
    EXPECT_EQ(read.arguments, L"");
    EXPECT_EQ(read.workingFolder, L"");
    // No icon given: Windows leaves the location empty, Wine's Resolve fills in the target itself;
    // both show the target's own icon.
    EXPECT_TRUE(read.iconFile.empty() || read.iconFile == other) << read.iconFile;
    EXPECT_EQ(read.iconNumber, 0);
    EXPECT_EQ(StoredShowCommand(link), SW_SHOW);
    EXPECT_EQ(StoredDescription(link), L"ShellLink Sample");

    // A file that is no shortcut at all is replaced as well.
    const std::wstring junk = temp.WriteFile(L"junk.lnk", std::string(5000, 'j'));
    ASSERT_TRUE(CreateShortcutFile(junk, target, L"", L"-x", L"", 0, SW_SHOW));
    EXPECT_EQ(Read(junk).arguments, L"-x");
}

TEST_F(ShortcutFileTest, TargetsThatDoNotExistYetAndUrlsAreStillWritten) {
    const std::wstring later = temp.path() + L"Later\\report.doc";
    ASSERT_TRUE(CreateShortcutFile(link, later, L"", L"", L"", 0, SW_SHOW));
    EXPECT_EQ(Read(link).target, later);

    // Wine's link object does not keep a URL: it stores it as a file path below the current
    // folder ("...\\http:\\www.example.com\\").
    ASSERT_TRUE(CreateShortcutFile(link, L"http://www.example.com/", L"", L"-new", L"", 0, SW_SHOW));
    const ShortcutContents read = Read(link);
    EXPECT_NE(read.target.find(RunningOnWine() ? L"\\http:\\www.example.com\\" : L"http://www.example.com/"),
              std::wstring::npos) << read.target;
    EXPECT_EQ(read.arguments, L"-new");
    EXPECT_EQ(StoredDescription(link), L"ShellLink Sample");
}

TEST_F(ShortcutFileTest, BadPathsWriteNothingAndBadFilesReadNothing) {
    EXPECT_FALSE(CreateShortcutFile(L"", target, L"", L"-a", L"", 0, SW_SHOW));
    EXPECT_FALSE(CreateShortcutFile(link, L"", L"", L"-a", L"", 0, SW_SHOW));
    EXPECT_FALSE(FileExists(link));
    const std::wstring nowhere = temp.path() + L"no such folder\\tool.lnk";
    EXPECT_FALSE(CreateShortcutFile(nowhere, target, L"", L"", L"", 0, SW_SHOW));
    EXPECT_EQ(::GetFileAttributesW((temp.path() + L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES);
    // Paths longer than the shell takes never reach it.
    const std::wstring tooLong = temp.path() + std::wstring(kMaxShellPath, L'x') + L".lnk";
    EXPECT_FALSE(CreateShortcutFile(tooLong, target, L"", L"", L"", 0, SW_SHOW));
    EXPECT_FALSE(CreateShortcutFile(link, tooLong, L"", L"", L"", 0, SW_SHOW));
    EXPECT_FALSE(FileExists(link));

    ShortcutContents contents;
    contents.target = L"unchanged";
    contents.showCommand = 42;
    for (const std::wstring& path : {std::wstring(), temp.path() + L"missing.lnk", temp.WriteFile(L"empty.lnk", ""),
                                     temp.WriteFile(L"junk.lnk", "this is no shortcut"), tooLong}) {
        EXPECT_FALSE(ReadShortcutFile(path, contents)) << path;
    }
    EXPECT_EQ(contents.target, L"unchanged");
    EXPECT_EQ(contents.showCommand, 42);
}

}  // namespace
}  // namespace velmora
