// The files the writer makes are what the system's own "reg import" takes: every value arrives
// with its type and data.
#include "common/unique_handles.h"
#include "regfile/reg_file.h"

#include "tests/regfile/reg_file_samples.h"
#include "tests/support/registry_peek.h"
#include "tests/support/registry_scratch.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Runs "reg import path" and answers its exit code (-1 when it does not run or end).
long RunRegImport(const std::wstring& path) {
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\reg.exe";
    std::wstring command = L"\"" + program + L"\" import \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &started))
        return -1;
    const UniqueProcessInfo process(started);
    DWORD exitCode = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.process.get(), 60'000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.process.get(), &exitCode);
    return static_cast<long>(exitCode);
}

// A value as the registry holds it: type and bytes; texts with their terminating null.
std::pair<DWORD, std::vector<BYTE>> Stored(const std::wstring& path, const std::wstring& name) {
    DWORD type = REG_NONE, size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), flags, &type, nullptr, &size)) return {};
    std::vector<BYTE> data(size);
    ::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), flags, &type, data.data(), &size);
    return {type, data};
}

std::pair<DWORD, std::vector<BYTE>> Expected(const RegValue& value) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return {value.type, value.data};
    const auto* bytes = reinterpret_cast<const BYTE*>(value.text.c_str());
    return {value.type, std::vector<BYTE>(bytes, bytes + (value.text.size() + 1) * sizeof(wchar_t))};
}

TEST(RegImportTest, RegImportTakesTheWrittenFile) {
    // reg runs unredirected: it writes into the real key that this test sees as HKEY_CURRENT_USER.
    const std::wstring seenAs = L"Software\\VelmoraTest\\Import";
    const RegFile file = SampleFile(L"HKEY_CURRENT_USER\\" + testing::ScratchUserKeyPath() + L"\\" + seenAs);
    testing::TempFolder temp;
    const std::wstring path = temp.path() + L"import \u65E5.reg";
    ASSERT_TRUE(WriteRegFile(path, file, {L"made by the registry file tests"}).ok());
    testing::WriteString(HKEY_CURRENT_USER, seenAs + L"\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", L"Old", L"x");

    ASSERT_EQ(RunRegImport(path), 0);
    const std::wstring key = seenAs + L"\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1";
    for (const RegValue& value : file.keys[0].values) {
        const auto expected = value.deletion ? std::pair<DWORD, std::vector<BYTE>>() : Expected(value);
        EXPECT_EQ(Stored(key, value.name), expected) << ::testing::PrintToString(value.name);
    }
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, seenAs + L"\\Empty"));
    // The scratch keys, and everything imported into them, go when the test ends.
}

}  // namespace
}  // namespace velmora
