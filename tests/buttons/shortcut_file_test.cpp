#include "buttons/shortcut_file.h"

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
#include <thread>

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadFileBytes;
using testing::TempFolder;

// The description stored in a shortcut, read through the shell's own link object.
std::wstring StoredDescription(const std::wstring& linkPath) {
    ComApartment apartment;
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.put_void()))) {
        return L"<no link object>";
    }
    ComPtr<IPersistFile> file = link.query<IPersistFile>();
    if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ))) return L"<not loaded>";
    wchar_t description[INFOTIPSIZE + 1] = {};
    if (FAILED(link->GetDescription(description, INFOTIPSIZE))) return L"<no description>";
    return description;
}

// A shortcut file starts with its header size (0x4C) and the class of the shell link object.
bool HasShortcutHeader(const std::wstring& linkPath) {
    const std::string bytes = ReadFileBytes(linkPath);
    if (bytes.size() < 20) return false;
    CLSID stored;
    memcpy(&stored, bytes.data() + 4, sizeof stored);
    return bytes[0] == 0x4C && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0 && IsEqualCLSID(stored, CLSID_ShellLink);
}

// The show command as the file stores it (the header field at 0x3C).
int StoredShowCommand(const std::wstring& linkPath) {
    const std::string bytes = ReadFileBytes(linkPath);
    if (bytes.size() < 0x40) return -1;
    int32_t showCommand;
    memcpy(&showCommand, bytes.data() + 0x3C, sizeof showCommand);
    return showCommand;
}

bool RunningOnWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine's link object does not load the show command from a file: it always reads back normal.
int ShowCommandReadBack(int stored) { return RunningOnWine() ? SW_SHOWNORMAL : stored; }

ShortcutContents Read(const std::wstring& linkPath) {
    ShortcutContents contents;
    EXPECT_TRUE(ReadShortcutFile(linkPath, contents)) << "cannot read " << ::testing::PrintToString(linkPath);
    return contents;
}

class ShortcutFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::wstring target = temp.WriteFile(L"App\\tool.exe", "MZ not really a program");
    std::wstring icon = temp.WriteFile(L"icons\\tool.ico", "not really an icon");
    std::wstring link = temp.path() + L"shortcuts\\tool.lnk";

    void SetUp() override { ::CreateDirectoryW((temp.path() + L"shortcuts").c_str(), nullptr); }
};

TEST_F(ShortcutFileTest, StoresEverythingGivenAsTheShellReadsIt) {
    const std::wstring folder = temp.path() + L"App";
    ASSERT_TRUE(CreateShortcutFile(link, target, folder, L"/open \"C:\\My Files\\a b.txt\"", icon, 3, SW_SHOWMINNOACTIVE));
    ASSERT_TRUE(FileExists(link));
    EXPECT_TRUE(HasShortcutHeader(link));

    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target, target);
    EXPECT_EQ(read.workingFolder, folder);
    EXPECT_EQ(read.arguments, L"/open \"C:\\My Files\\a b.txt\"");
    EXPECT_EQ(read.iconFile, icon);
    EXPECT_EQ(read.iconNumber, 3);
    EXPECT_EQ(StoredShowCommand(link), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(read.showCommand, ShowCommandReadBack(SW_SHOWMINNOACTIVE));
    EXPECT_EQ(StoredDescription(link), L"ShellLink Sample");
}

TEST_F(ShortcutFileTest, LeavesOutWhatIsNotGiven) {
    ASSERT_TRUE(CreateShortcutFile(link, target, L"", L"", L"", 0, SW_SHOW));
    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target, target);
    EXPECT_EQ(read.arguments, L"");
    EXPECT_EQ(read.workingFolder, L"");
    EXPECT_EQ(StoredShowCommand(link), SW_SHOW);
    EXPECT_EQ(read.showCommand, ShowCommandReadBack(SW_SHOW));
    // No icon was given: Windows leaves the location empty, Wine's Resolve fills in the target
    // itself; both show the target's own icon.
    EXPECT_TRUE(read.iconFile.empty() || read.iconFile == target) << read.iconFile;
    EXPECT_EQ(read.iconNumber, 0);
    EXPECT_EQ(StoredDescription(link), L"ShellLink Sample");
}

TEST_F(ShortcutFileTest, ReplacesAnExistingFile) {
    ASSERT_TRUE(CreateShortcutFile(link, target, temp.path() + L"App", L"-first", icon, 1, SW_SHOWMAXIMIZED));
    const std::wstring other = temp.WriteFile(L"Other\\second.exe", "MZ");
    ASSERT_TRUE(CreateShortcutFile(link, other, L"", L"-second", L"", 0, SW_SHOWNORMAL));
    ShortcutContents read = Read(link);
    EXPECT_EQ(read.target, other);
    EXPECT_EQ(read.arguments, L"-second");
    EXPECT_EQ(read.workingFolder, L"");
    EXPECT_EQ(StoredShowCommand(link), SW_SHOWNORMAL);
    EXPECT_NE(read.iconFile, icon);

    // A file that is no shortcut at all is replaced as well.
    const std::wstring junk = temp.WriteFile(L"shortcuts\\junk.lnk", std::string(5000, 'j'));
    ASSERT_TRUE(CreateShortcutFile(junk, target, L"", L"-x", L"", 0, SW_SHOW));
    EXPECT_TRUE(HasShortcutHeader(junk));
    EXPECT_EQ(Read(junk).arguments, L"-x");
}

TEST_F(ShortcutFileTest, TargetsThatDoNotExistYetAndUrls) {
    // A document the user has not made yet: the shortcut is still written as given.
    const std::wstring later = temp.path() + L"Later\\report.doc";
    ASSERT_TRUE(CreateShortcutFile(link, later, L"", L"", L"", 0, SW_SHOW));
    EXPECT_EQ(Read(link).target, later);

    // A URL with arguments: the shortcut is written with its arguments and description. Wine's
    // link object does not keep the URL: it stores it as a file path below the current folder
    // ("...\\http:\\www.example.com\\").
    const std::wstring web = temp.path() + L"shortcuts\\web.lnk";
    ASSERT_TRUE(CreateShortcutFile(web, L"http://www.example.com/", L"", L"-new", L"", 0, SW_SHOW));
    ASSERT_TRUE(HasShortcutHeader(web));
    const ShortcutContents read = Read(web);
    if (RunningOnWine()) {
        const std::wstring tail = L"\\http:\\www.example.com\\";
        ASSERT_GE(read.target.size(), tail.size());
        EXPECT_EQ(read.target.substr(read.target.size() - tail.size()), tail) << read.target;
    } else {
        EXPECT_EQ(read.target, L"http://www.example.com/");
    }
    EXPECT_EQ(read.arguments, L"-new");
    EXPECT_EQ(StoredDescription(web), L"ShellLink Sample");
}

// The text as it comes back through the ANSI code page.
std::wstring ThroughAnsiCodePage(const std::wstring& text) {
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(bytes, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
    const int characters = ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::wstring back(characters, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), characters);
    return back.substr(0, back.find(L'\0'));
}

TEST_F(ShortcutFileTest, LongArgumentsAndTextOutsideTheAnsiCodePage) {
    std::wstring arguments;
    while (arguments.size() < 900) arguments += L"--option=" + std::to_wstring(arguments.size()) + L" ";
    arguments += L"\u0436\u65E5";
    const std::wstring unicodeFolder = temp.path() + L"\u00DCberlauf \u65E5\u672C";
    const std::wstring unicodeTarget = temp.WriteFile(L"\u00DCberlauf \u65E5\u672C\\\u0161\u00E9.exe", "MZ");
    const std::wstring unicodeIcon = temp.WriteFile(L"\u00DCberlauf \u65E5\u672C\\\u0436.ico", "icon");
    const std::wstring unicodeLink = temp.path() + L"shortcuts\\\u00DCberlauf \u65E5\u672C.lnk";
    ASSERT_TRUE(CreateShortcutFile(unicodeLink, unicodeTarget, unicodeFolder, arguments, unicodeIcon, 2, SW_SHOW));
    ASSERT_TRUE(FileExists(unicodeLink));
    const ShortcutContents read = Read(unicodeLink);
    EXPECT_EQ(read.arguments, arguments);
    EXPECT_EQ(read.workingFolder, unicodeFolder);
    EXPECT_EQ(read.iconFile, unicodeIcon);
    EXPECT_EQ(read.iconNumber, 2);
    // Wine keeps the target's path in the ANSI code page only; Windows keeps every character.
    EXPECT_EQ(read.target, RunningOnWine() ? ThroughAnsiCodePage(unicodeTarget) : unicodeTarget);
}

TEST_F(ShortcutFileTest, RefusesEmptyPathsAndMissingFolders) {
    EXPECT_FALSE(CreateShortcutFile(L"", target, L"", L"-a", L"", 0, SW_SHOW));
    EXPECT_FALSE(CreateShortcutFile(link, L"", L"", L"-a", L"", 0, SW_SHOW));
    EXPECT_FALSE(FileExists(link));

    const std::wstring nowhere = temp.path() + L"no such folder\\tool.lnk";
    EXPECT_FALSE(CreateShortcutFile(nowhere, target, L"", L"", L"", 0, SW_SHOW));
    EXPECT_FALSE(FileExists(nowhere));
    EXPECT_EQ(::GetFileAttributesW((temp.path() + L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShortcutFileTest, ReadingLeavesTheContentsAloneOnFailure) {
    ShortcutContents contents;
    contents.target = L"unchanged";
    contents.showCommand = 42;
    EXPECT_FALSE(ReadShortcutFile(L"", contents));
    EXPECT_FALSE(ReadShortcutFile(temp.path() + L"missing.lnk", contents));
    EXPECT_FALSE(ReadShortcutFile(temp.WriteFile(L"junk.lnk", "this is no shortcut"), contents));
    EXPECT_FALSE(ReadShortcutFile(temp.WriteFile(L"empty.lnk", ""), contents));
    EXPECT_EQ(contents.target, L"unchanged");
    EXPECT_EQ(contents.showCommand, 42);
}

// Whether COM is still started on this thread: a first CoInitializeEx answers S_OK.
bool ComLeftStarted() {
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr)) ::CoUninitialize();
    return hr != S_OK;
}

TEST_F(ShortcutFileTest, WorksOnThreadsWithAndWithoutComAndLeavesThemAsTheyWere) {
    bool made = false, read = false, leftStarted = true;
    std::thread plain([&] {
        made = CreateShortcutFile(link, target, L"", L"-plain", L"", 0, SW_SHOW);
        ShortcutContents contents;
        read = ReadShortcutFile(link, contents) && contents.arguments == L"-plain";
        leftStarted = ComLeftStarted();
    });
    plain.join();
    EXPECT_TRUE(made);
    EXPECT_TRUE(read);
    EXPECT_FALSE(leftStarted);

    // A caller that chose the multithreaded apartment keeps it.
    bool stillMultithreaded = false;
    made = read = false;
    std::thread multithreaded([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        made = CreateShortcutFile(link, target, L"", L"-mta", L"", 0, SW_SHOW);
        ShortcutContents contents;
        read = ReadShortcutFile(link, contents) && contents.arguments == L"-mta";
        stillMultithreaded = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) == RPC_E_CHANGED_MODE;
        ::CoUninitialize();
    });
    multithreaded.join();
    EXPECT_TRUE(made);
    EXPECT_TRUE(read);
    EXPECT_TRUE(stillMultithreaded);
}

}  // namespace
}  // namespace velmora
