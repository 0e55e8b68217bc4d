// "reg import" of an export by Wine's own reg.exe, in a prefix made for it alone
// (tests/transfer/reg_import.sh): one case writes the export where VELMORA_REG_SAMPLE says, the
// other, run in that prefix after the import, finds every key and value of the file in its
// registry. Both are skipped in an ordinary run of the tests.
#include "regfile/reg_file.h"
#include "transfer/button_export.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace velmora {
namespace {

std::wstring SamplePath() {
    const wchar_t* path = _wgetenv(L"VELMORA_REG_SAMPLE");
    return path ? path : L"";
}

TEST(RegImportSample, Write) {
    if (SamplePath().empty()) GTEST_SKIP() << "run by reg_import.sh";
    ButtonList list;
    const struct {
        const wchar_t* text;
        ButtonScope scope;
        IconKind icon;
        const wchar_t* file;
    } buttons[] = {
        {L"Блокнот ✓ \"q\" \\", ButtonScope::CurrentUser, IconKind::Library, L""},
        {L"Ünï shared", ButtonScope::AllUsers, IconKind::Disk, L"C:\\Velmora\\icons\\star.ico"},
        {L"Pad", ButtonScope::CurrentUser, IconKind::Program, L"C:\\Velmora\\icons\\notepad.ico"},
    };
    for (const auto& b : buttons) {
        ButtonRow row;
        row.button.fileToLaunch = L"C:\\Tools\\" + std::wstring(b.text).substr(0, 3) + L".exe";
        row.button.buttonText = row.button.menuText = row.button.statusBarText = b.text;
        row.button.scope = b.scope;
        row.button.iconKind = b.icon;
        row.button.iconFile = b.file;
        row.button.libraryNumber = 7;
        list.rows.push_back(row);
    }
    EXPECT_EQ(ExportButtons(list, L"C:\\Velmora\\", SamplePath()).outcome, ExitCode::Done);
}

TEST(RegImportSample, Check) {
    if (SamplePath().empty()) GTEST_SKIP() << "run by reg_import.sh";
    // The registry of the prefix itself, not the test's scratch keys.
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    const RegFileReadResult read = ReadRegFile(SamplePath());
    ASSERT_TRUE(read.ok()) << ::testing::PrintToString(read.ErrorText());
    ASSERT_EQ(read.file.keys.size(), 8u);  // 3 buttons, one in both machine views; "Count"
    for (const RegKey& key : read.file.keys) {
        const auto split = SplitKeyPath(key.path);
        ASSERT_TRUE(split);
        HKEY opened = nullptr;
        ASSERT_EQ(::RegOpenKeyExW(split->first, split->second.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &opened),
                  ERROR_SUCCESS)
            << ::testing::PrintToString(key.path);
        for (const RegValue& value : key.values) {
            wchar_t text[1024] = {};
            DWORD size = sizeof(text) - sizeof(wchar_t);
            DWORD type = 0;
            EXPECT_EQ(
                ::RegQueryValueExW(opened, value.name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
                ERROR_SUCCESS);
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(std::wstring(text), value.text) << ::testing::PrintToString(key.path + L"|" + value.name);
        }
        ::RegCloseKey(opened);
    }
}

}  // namespace
}  // namespace velmora
