// The real vlm.exe run with a switch, as a script runs it: its standard output redirected to a file.
#include "common/module_info.h"
#include "common/single_instance.h"
#include "common/unique_handles.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace velmora {
namespace {

struct Outcome {
    bool endedByItself = false;  // a program that made a window would wait in it
    DWORD exitCode = 0;
    std::string output;
};

Outcome RunVlm(const std::wstring& arguments) {
    testing::TempFolder temp;
    const std::wstring outputPath = temp.path() + L"output.txt";
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    UniqueFileHandle output(::CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    Outcome outcome;
    if (!output) return outcome;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output.get();
    const std::wstring program = ProgramFolder() + L"vlm.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return outcome;
    }
    outcome.endedByItself = ::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!outcome.endedByItself) ::TerminateProcess(process.hProcess, 99);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    output.reset();
    outcome.output = testing::ReadFileBytes(outputPath);
    return outcome;
}

TEST(VlmSwitchesRunTest, AnUnknownSwitchEndsWithTheUsageInUtf8) {
    // "/bögus", its "ö" in UTF-8 in the output.
    const Outcome run = RunVlm(L"/b\u00f6gus");
    ASSERT_TRUE(run.endedByItself);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_TRUE(run.output.starts_with("Unknown switch: /b\xc3\xb6gus\r\nUsage: vlm SWITCH, one of:\r\n"))
        << run.output;
    EXPECT_NE(run.output.find("  /export FILE "), std::string::npos);
    EXPECT_TRUE(run.output.ends_with("3 Velmora is open.\r\n"));
    size_t lines = 0;
    for (size_t at = run.output.find('\n'); at != std::string::npos; at = run.output.find('\n', at + 1), ++lines) {
        EXPECT_EQ(run.output[at - 1], '\r') << at;
    }
    EXPECT_EQ(lines, 8u);
}

TEST(VlmSwitchesRunTest, RefusesBesideAnOpenEditor) {
    SingleInstance editor;
    ASSERT_FALSE(editor.AnotherIsRunning());
    const Outcome run = RunVlm(L"-CHECK");
    ASSERT_TRUE(run.endedByItself);
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.output, "Velmora is open. Close it and run the command again.\r\n");
}

}  // namespace
}  // namespace velmora
