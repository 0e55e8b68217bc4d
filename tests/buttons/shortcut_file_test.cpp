#include "buttons/shortcut_file.h"

#include "buttons/path_parts.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadFileBytes;

// Whether the file holds the description, which the programs always store in UTF-16.
bool StoresDescription(const std::wstring& linkPath) {
    const std::wstring text = kShortcutDescription;
    return ReadFileBytes(linkPath).find(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)) !=
           std::string::npos;
}

// The show command as the file stores it (the header field at 0x3C): Wine's link object does not
// load it from a file and always reads back normal.
int StoredShowCommand(const std::wstring& linkPath) {
    const std::string bytes = ReadFileBytes(linkPath);
    std::int32_t showCommand = -1;
    if (bytes.size() >= 0x40) std::memcpy(&showCommand, bytes.data() + 0x3C, sizeof showCommand);
    return showCommand;
}

ShortcutContents Read(const std::wstring& linkPath) {
    ShortcutContents contents;
    EXPECT_TRUE(ReadShortcutFile(linkPath, contents)) << "cannot read " << ::testing::PrintToString(linkPath);
    return contents;
}

class ShortcutFileTest : public ::testing::Test {
protected:
    testing::TempFolder temp;
    std::wstring target = temp.WriteFile(L"App\\tool.exe", "MZ not really a program");
    std::wstring link = temp.path() + L"tool.lnk";
};

TEST_F(ShortcutFileTest, StoresEverythingGivenAsTheShellReadsIt) {
    // Long arguments, and a folder and an icon with characters outside the ANSI code page (Wine keeps
    // the target itself in the ANSI code page only).
    std::wstring arguments = L"/open \"C:\\My Files\\a b.txt\" \u0436\u65E5";
    while (arguments.size() < 900) arguments += L" --option=" + std::to_wstring(arguments.size());
    const std::wstring folder = temp.path() + L"\u00DCberlauf \u65E5\u672C";
    const std::wstring icon = temp.WriteFile(L"\u00DCberlauf \u65E5\u672C\\\u0436.ico", "icon");
    ASSERT_TRUE(CreateShortcutFile(link, target, folder, arguments, icon, 3, SW_SHOWMINNOACTIVE));

    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target + L"|" + read.workingFolder + L"|" + read.iconFile, target + L"|" + folder + L"|" + icon);
    EXPECT_EQ(read.arguments, arguments);
    EXPECT_EQ(read.iconNumber, 3);
    EXPECT_EQ(StoredShowCommand(link), SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(StoresDescription(link));
}

TEST_F(ShortcutFileTest, LeavesOutWhatIsNotGivenAndReplacesAnExistingFile) {
    ASSERT_TRUE(CreateShortcutFile(link, target, temp.path() + L"App", L"-first", target, 1, SW_SHOWMAXIMIZED));
    const std::wstring other = temp.WriteFile(L"Other\\second.exe", "MZ");
    ASSERT_TRUE(CreateShortcutFile(link, other, L"", L"", L"", 0, SW_SHOW));
    const ShortcutContents read = Read(link);
    EXPECT_EQ(read.target + L"|" + read.arguments + L"|" + read.workingFolder, other + L"||");
    // No icon given: Windows leaves the location empty, Wine's Resolve fills in the target itself;
    // both show the target's own icon.
    EXPECT_TRUE(read.iconFile.empty() || read.iconFile == other) << read.iconFile;
    EXPECT_EQ(read.iconNumber, 0);
    EXPECT_EQ(StoredShowCommand(link), SW_SHOW);
    EXPECT_TRUE(StoresDescription(link));

    // A file that is no shortcut at all is replaced as well; targets that do not exist yet and URLs
    // are still written, never swapped for another file.
    const std::wstring junk = temp.WriteFile(L"junk.lnk", std::string(5000, 'j'));
    const std::wstring later = temp.path() + L"Later\\report.doc";
    ASSERT_TRUE(CreateShortcutFile(junk, later, L"", L"-x", L"", 0, SW_SHOW));
    EXPECT_EQ(Read(junk).target + L"|" + Read(junk).arguments, later + L"|-x");
    ASSERT_TRUE(CreateShortcutFile(link, L"http://www.example.com/", L"", L"-new", L"", 0, SW_SHOW));
    EXPECT_EQ(Read(link).arguments, L"-new");
}

TEST_F(ShortcutFileTest, BadPathsWriteNothingAndReadNothing) {
    const std::wstring tooLong = temp.path() + std::wstring(kMaxShellPath, L'x') + L".lnk";
    for (const auto& [linkPath, targetPath] : {std::pair{std::wstring(), target},
                                               {link, std::wstring()},
                                               {temp.path() + L"no such folder\\tool.lnk", target},
                                               {tooLong, target},
                                               {link, tooLong}}) {
        EXPECT_FALSE(CreateShortcutFile(linkPath, targetPath, L"", L"-a", L"", 0, SW_SHOW)) << linkPath << targetPath;
    }
    EXPECT_FALSE(FileExists(link));
    EXPECT_EQ(::GetFileAttributesW((temp.path() + L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES);

    // (Garbage shortcut files dropped or named on the command line are in the catalogue.)
    ShortcutContents contents;
    for (const std::wstring& path : {temp.WriteFile(L"empty.lnk", ""), tooLong}) {
        EXPECT_FALSE(ReadShortcutFile(path, contents)) << path;
    }
}

}  // namespace
}  // namespace velmora
