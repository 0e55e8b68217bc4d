#include "buttons/path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(PathPart, SplitsDriveFolderBaseNameAndExtensionWhereOnlyBackslashesSeparate) {
    const struct {
        std::wstring path, drive, folder, baseName, extension;
    } cases[] = {
        {L"C:\\Program Files\\App\\app.exe", L"C:", L"\\Program Files\\App\\", L"app", L".exe"},
        {L"notes.txt", L"", L"", L"notes", L".txt"},
        {L"D:setup.exe", L"D:", L"", L"setup", L".exe"},
        {L"\\\\server\\share\\tool.exe", L"", L"\\\\server\\share\\", L"tool", L".exe"},
        {L"", L"", L"", L"", L""},
        {L"C:", L"C:", L"", L"", L""},
        // A dot in a folder name is no extension; only the last extension counts.
        {L"C:\\a.b\\file", L"C:", L"\\a.b\\", L"file", L""},
        {L"archive.tar.gz", L"", L"", L"archive.tar", L".gz"},
        // A dot or a backslash at the very end is dropped or does not end the folder.
        {L"name.tar.", L"", L"", L"name", L".tar"},
        {L"name..", L"", L"", L"name", L""},
        {L"C:\\x\\.profile", L"C:", L"\\", L"x\\", L".profile"},
        {L"C:\\dir\\", L"C:", L"\\", L"dir\\", L""},
        {L"\\", L"", L"", L"\\", L""},
        // "/" does not separate: a URL keeps everything before its last dot in the base name.
        {L"http://www.example.com/index.html", L"", L"", L"http://www.example.com/index", L".html"},
        {L"C:/Apps/edit.exe", L"C:", L"", L"/Apps/edit", L".exe"},
        {L"..\\..\\evil", L"", L"..\\..\\", L"evil", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.path));
        const std::wstring parts[] = {c.drive, c.folder, c.baseName, c.extension};
        for (int selector = 0; selector < 4; ++selector) {
            EXPECT_EQ(PathPart(c.path, selector), parts[selector]) << selector;
            EXPECT_EQ(PathPart(c.path, static_cast<PathSelector>(selector)), parts[selector]) << selector;
        }
    }
}

}  // namespace
}  // namespace velmora
