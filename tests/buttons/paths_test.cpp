#include "buttons/paths.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <stdexcept>
#include <string>

namespace velmora {
namespace {

using testing::FileExists;
using testing::TempFolder;

struct Parts {
    std::wstring drive, folder, baseName, extension;
};

Parts Split(const std::wstring& path) {
    return {PathPart(path, 0), PathPart(path, 1), PathPart(path, 2), PathPart(path, 3)};
}

void ExpectParts(const std::wstring& path, const Parts& expected) {
    SCOPED_TRACE(::testing::Message() << "path: " << ::testing::PrintToString(path));
    const Parts parts = Split(path);
    EXPECT_EQ(parts.drive, expected.drive);
    EXPECT_EQ(parts.folder, expected.folder);
    EXPECT_EQ(parts.baseName, expected.baseName);
    EXPECT_EQ(parts.extension, expected.extension);
}

TEST(PathPart, SplitsFullAndBarePaths) {
    ExpectParts(L"C:\\Program Files\\App\\app.exe", {L"C:", L"\\Program Files\\App\\", L"app", L".exe"});
    ExpectParts(L"notes.txt", {L"", L"", L"notes", L".txt"});
    ExpectParts(L"D:setup.exe", {L"D:", L"", L"setup", L".exe"});
    ExpectParts(L"\\\\server\\share\\tool.exe", {L"", L"\\\\server\\share\\", L"tool", L".exe"});
    ExpectParts(L"", {L"", L"", L"", L""});
    ExpectParts(L"C:", {L"C:", L"", L"", L""});
    // The enum and the number pick the same part.
    EXPECT_EQ(PathPart(L"C:\\a\\b.c", PathSelector::Folder), L"\\a\\");
    EXPECT_EQ(PathPart(L"C:\\a\\b.c", PathSelector::BaseName), L"b");
}

TEST(PathPart, DotsBelongToTheLastPartOnly) {
    // A dot in a folder name is not an extension of the file.
    ExpectParts(L"C:\\a.b\\file", {L"C:", L"\\a.b\\", L"file", L""});
    // A dot at the very end is dropped and the dot before it is looked at.
    ExpectParts(L"name.tar.", {L"", L"", L"name", L".tar"});
    ExpectParts(L"name..", {L"", L"", L"name", L""});
    // Only the last extension counts; earlier dots stay in the name.
    ExpectParts(L"archive.tar.gz", {L"", L"", L"archive.tar", L".gz"});
    ExpectParts(L"C:\\x\\.profile", {L"C:", L"\\", L"x\\", L".profile"});
}

TEST(PathPart, TrailingBackslashAndForwardSlashes) {
    // A backslash at the very end does not end the folder.
    ExpectParts(L"C:\\dir\\", {L"C:", L"\\", L"dir\\", L""});
    ExpectParts(L"\\", {L"", L"", L"\\", L""});
    // "/" does not separate: URLs keep everything before the last dot in the base name.
    ExpectParts(L"http://www.example.com/index.html", {L"", L"", L"http://www.example.com/index", L".html"});
    ExpectParts(L"http://example.com", {L"", L"", L"http://example", L".com"});
    ExpectParts(L"C:/Apps/edit.exe", {L"C:", L"", L"/Apps/edit", L".exe"});
    ExpectParts(L"..\\..\\evil", {L"", L"..\\..\\", L"evil", L""});
}

TEST(PathPart, RejectsUnknownSelectors) {
    EXPECT_THROW(PathPart(L"C:\\a.txt", -1), std::invalid_argument);
    EXPECT_THROW(PathPart(L"C:\\a.txt", 4), std::invalid_argument);
}

TEST(TextBeforeNul, CutsAtTheFirstNul) {
    EXPECT_EQ(TextBeforeNul(L"plain"), L"plain");
    EXPECT_EQ(TextBeforeNul(L""), L"");
    EXPECT_EQ(TextBeforeNul(std::wstring(L"abc\0def\0", 8)), L"abc");
    EXPECT_EQ(TextBeforeNul(std::wstring(L"\0abc", 4)), L"");
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

TEST(FindAssociatedProgram, FindsTheProgramOnlyForAssociatedDocuments) {
    TempFolder temp;
    // Settings files open in Notepad on Windows and on Wine (Wine 8.0 has no program for ".txt").
    const std::wstring settings = temp.WriteFile(L"my settings.ini", "[a]\r\nb=1\r\n");
    const std::wstring program = FindAssociatedProgram(settings);
    EXPECT_NE(Lower(program).find(L"notepad"), std::wstring::npos) << program;
    EXPECT_TRUE(FileExists(program)) << program;
    EXPECT_EQ(program.find(L'\0'), std::wstring::npos);

    // No program opens this kind of file, a missing file, a URL or an empty name.
    EXPECT_EQ(FindAssociatedProgram(temp.WriteFile(L"data.zzqq", "x")), L"");
    EXPECT_EQ(FindAssociatedProgram(temp.path() + L"missing.ini"), L"");
    EXPECT_EQ(FindAssociatedProgram(L"http://www.example.com/"), L"");
    EXPECT_EQ(FindAssociatedProgram(L""), L"");
}

}  // namespace
}  // namespace velmora
