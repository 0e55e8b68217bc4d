// The real vlm.exe and vlm.com run with a switch, as a script runs them: their standard output
// redirected to a file. Only commands that read nothing or are refused, so that the build tree's
// Wine prefix is never changed.
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

Outcome RunProgram(const std::wstring& programName, const std::wstring& arguments) {
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
    const std::wstring program = ProgramFolder() + programName;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return outcome;
    }
    UniqueKernelHandle thread(started.hThread), process(started.hProcess);
    outcome.endedByItself = ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
    if (!outcome.endedByItself) ::TerminateProcess(process.get(), 99);
    ::WaitForSingleObject(process.get(), INFINITE);
    ::GetExitCodeProcess(process.get(), &outcome.exitCode);
    output.reset();
    outcome.output = testing::ReadFileBytes(outputPath);
    return outcome;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Each line of the output ends in CR LF; answers how many there are.
size_t CountLines(const std::string& output) {
    size_t lines = 0;
    for (size_t at = output.find('\n'); at != std::string::npos; at = output.find('\n', at + 1), ++lines) {
        EXPECT_EQ(at > 0 ? output[at - 1] : '\0', '\r') << at;
    }
    return lines;
}

// Both programs answer the same: the usage, bad arguments, and the refusals of the export and the
// import, in UTF-8 with CR LF line ends.
TEST(VlmSwitchesRunTest, BothProgramsAnswerTheSwitches) {
    testing::TempFolder temp;
    const std::wstring bad = temp.WriteFile(L"bad.reg", "hello\r\n");
    const std::wstring there = temp.WriteFile(L"there.txt", "keep me");
    const struct {
        std::wstring arguments;
        DWORD exitCode;
        std::string starts;  // the output's beginning
        std::string ends;    // and its end
        size_t lines;
    } cases[] = {
        // "/bögus", its "ö" in UTF-8 in the output.
        {L"/b\u00f6gus", 2, "Unknown switch: /b\xc3\xb6gus\r\nUsage: vlm SWITCH, one of:\r\n  /export FILE [/y]  ",
         "3 Velmora is open or busy.\r\n", 9},
        {L"/?", 0, "Usage: vlm SWITCH, one of:\r\n", "3 Velmora is open or busy.\r\n", 8},
        {L"-Help", 0, "Usage: vlm SWITCH, one of:\r\n", "3 Velmora is open or busy.\r\n", 8},
        {L"/import \"" + bad + L"\"", 2,
         "The file \"" + Narrow(bad) +
             "\" could not be imported:\r\nnot a registry file: it does not start with "
             "\"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"\r\n",
         "\"REGEDIT4\"\r\n", 2},
        {L"/export \"" + temp.path() + L"no folder\\b.reg\"", 2,
         "The buttons could not be exported: the folder \"" + Narrow(temp.path()) + "no folder\" does not exist.\r\n",
         "", 1},
        {L"/export \"" + there + L"\"", 2,
         "The file \"" + Narrow(there) + "\" exists already; nothing was exported. Add /y to replace it.\r\n", "", 1},
    };
    for (const wchar_t* program : {L"vlm.exe", L"vlm.com"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::PrintToString(std::wstring(program) + L" " + c.arguments));
            const Outcome run = RunProgram(program, c.arguments);
            ASSERT_TRUE(run.endedByItself);
            EXPECT_EQ(run.exitCode, c.exitCode);
            EXPECT_TRUE(run.output.starts_with(c.starts)) << run.output;
            EXPECT_TRUE(run.output.ends_with(c.ends)) << run.output;
            EXPECT_EQ(CountLines(run.output), c.lines);
        }
    }
    EXPECT_EQ(testing::ReadFileBytes(there), "keep me");
}

// Beside an open editor a command that writes is refused, one that reads runs (a scheduled check
// must not fail because a user has the editor open).
TEST(VlmSwitchesRunTest, BothRefuseToWriteBesideAnOpenEditorAndStillRead) {
    SingleInstance editor;
    ASSERT_FALSE(editor.AnotherIsRunning());
    for (const wchar_t* program : {L"vlm.exe", L"vlm.com"}) {
        Outcome run = RunProgram(program, L"-REPAIR");
        ASSERT_TRUE(run.endedByItself) << program;
        EXPECT_EQ(run.exitCode, 3u) << program;
        EXPECT_EQ(run.output, "Velmora is open. Close it and run the command again.\r\n") << program;
        run = RunProgram(program, L"-CHECK");
        ASSERT_TRUE(run.endedByItself) << program;
        EXPECT_EQ(run.exitCode, 0u) << program;
        EXPECT_EQ(run.output, "There are no buttons, and nothing is left of any.\r\n") << program;
    }
}

// The settings key is named after the product in the running program's version resource: vlm.com
// must name the same one as vlm.exe to find the same buttons.
std::wstring ProductNameOf(const std::wstring& file) {
    DWORD ignored = 0;
    std::vector<BYTE> data(::GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (data.empty() || !::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return {};
    void* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\ProductName", &text, &length)) return {};
    return static_cast<const wchar_t*>(text);
}

TEST(VlmSwitchesRunTest, TheConsoleCompanionIsTheSameProduct) {
    EXPECT_EQ(ProductNameOf(ProgramFolder() + L"vlm.com"), L"Velmora");
    EXPECT_EQ(ProductNameOf(ProgramFolder() + L"vlm.exe"), L"Velmora");
}

}  // namespace
}  // namespace velmora
