#include "regfile/reg_file.h"

#include "common/report_text.h"

#include "tests/regfile/reg_file_samples.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

using testing::ReadFileBytes;

TEST(RegFileTest, WrittenFileReadsBackEqualWithItsHeaderAndComments) {
    testing::TempFolder temp;
    const std::wstring path = temp.path() + L"buttons \u65E5.reg";
    const RegFile file = SampleFile(L"HKEY_CURRENT_USER\\Software\\Velmora Test");
    ASSERT_TRUE(WriteRegFile(path, file, {L"Velmora buttons", L"two\r\nlines"}).ok());

    const RegFileReadResult read = ReadRegFile(path);
    ASSERT_TRUE(read.ok()) << ::testing::PrintToString(read.ErrorText());
    EXPECT_EQ(read.file, file);
    const std::wstring start =
        L"\uFEFFWindows Registry Editor Version 5.00\r\n; Velmora buttons\r\n; two\r\n"
        L"; lines\r\n\r\n[HKEY_CURRENT_USER\\Software\\Velmora Test\\"
        L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1]\r\n"
        L"@=\"C:\\\\Program Files\\\\\\\"quoted\\\"\\\\\"\r\n";
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), start.size()), start);
    EXPECT_EQ(testing::ListFiles(temp.path()).size(), 1u) << "a temporary file was left behind";
}

TEST(RegFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    testing::TempFolder temp;
    const RegFile file = SampleFile(L"HKEY_CURRENT_USER\\Software\\Velmora Test");
    const RegFileWriteResult missingFolder = WriteRegFile(temp.path() + L"no such folder\\a.reg", file);
    EXPECT_EQ(missingFolder.refusal, RegFileWriteRefusal::NoTemporaryFile);
    EXPECT_TRUE(missingFolder.status == ERROR_PATH_NOT_FOUND || missingFolder.status == ERROR_DIRECTORY)
        << missingFolder.status;
    EXPECT_NE(missingFolder.message.find(L"no such folder\\a.reg\": "), std::wstring::npos);

    const std::wstring path = temp.WriteFile(L"old.reg", "old content");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const RegFileWriteResult readOnly = WriteRegFile(path, file);
    EXPECT_EQ(readOnly.status, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(readOnly.refusal, RegFileWriteRefusal::ReadOnlyFile);
    EXPECT_EQ(ReadFileBytes(path), "old content");
    EXPECT_EQ(testing::ListFiles(temp.path()).size(), 1u);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    RegFile broken = file;
    broken.keys[0].values[0].name = L"two\nlines";
    const RegFileWriteResult lineBreak = WriteRegFile(path, broken);
    EXPECT_EQ(lineBreak.status, static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(lineBreak.refusal, RegFileWriteRefusal::LineBreakInName);
}

// 8-bit files in the ANSI code page, with either header as "reg import" reads them: the header
// says whether hex(2) bytes are ANSI or UTF-16.
TEST(RegFileTest, ReadsAnsiFilesWithEitherHeader) {
    const std::pair<std::string, std::string> headers[] = {
        {"REGEDIT4", "25,54,45,4d,50,25,00"},
        {"Windows Registry Editor Version 5.00", "25,00,54,00,45,00,4d,00,50,00,25,00,00,00"},
    };
    for (const auto& [header, expandBytes] : headers) {
        SCOPED_TRACE(header);
        const RegFileReadResult read = ParseRegFile(
            header +
            "\n\n; exported by hand\n[HKEY_CURRENT_USER\\Software\\caf\xE9]\n  @=\"caf\xE9 \\\"x\\\"\"\n"
            "\"Path\"=hex(2):" +
            expandBytes + "\n\"Count\"=dword:0000002A\n\"Old\"=-\n\n[-HKEY_CURRENT_USER\\Software\\Gone]\n");
        ASSERT_TRUE(read.ok()) << ::testing::PrintToString(read.ErrorText());
        const std::wstring cafe = AnsiText("caf\xE9");
        const RegFile expected{{Key(L"HKEY_CURRENT_USER\\Software\\" + cafe,
                                    {Text(L"", cafe + L" \"x\""), Text(L"Path", L"%TEMP%", REG_EXPAND_SZ),
                                     Raw(L"Count", REG_DWORD, {42, 0, 0, 0}), Deletion(L"Old")}),
                                Key(L"-HKEY_CURRENT_USER\\Software\\Gone")}};
        EXPECT_EQ(read.file, expected);
        EXPECT_EQ(read.file.keys[0].values[1].line, 6);
        EXPECT_EQ(read.file.keys[1].line, 10);
    }
}

TEST(RegFileTest, ReadsContinuedHexListsCommentsAndDeletionsInUtf16AndUtf8) {
    const std::wstring body =
        L"\r\n; comment\r\n[HKEY_LOCAL_MACHINE\\Software\\V] ; trailing comment\r\n"
        L"\"Bin\"=hex:00,01,\\\r\n   02,ff,\\\r\n\r\n\t\"\\\\n\\\"\"=hex(b):01,02\r\n"
        L"\"Gone\"  =  -\r\n[-HKEY_LOCAL_MACHINE\\Software\\V\\Old]\r\n";
    const RegFile expected{
        {Key(L"HKEY_LOCAL_MACHINE\\Software\\V",
             {Raw(L"Bin", REG_BINARY, {0, 1, 2, 0xFF}), Raw(L"\\n\"", REG_QWORD, {1, 2}), Deletion(L"Gone")}),
         Key(L"-HKEY_LOCAL_MACHINE\\Software\\V\\Old")}};
    for (const std::string& bytes : {Utf16File(body), Utf8File(body)}) {
        const RegFileReadResult read = ParseRegFile(bytes);
        ASSERT_TRUE(read.ok()) << ::testing::PrintToString(read.ErrorText());
        EXPECT_EQ(read.file, expected);
        EXPECT_EQ(read.file.keys[0].values[1].line, 7);
    }
}

TEST(RegFileTest, BadLinesAreReportedByNumber) {
    const std::wstring longToken(3000, L'z');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"a\"=\"b\"", L"line 2: a value outside any key"},
        // What the file holds is quoted printable and cut.
        {L"[HKEY_USERS\\x]\n\"a\"=\"b\\\x1B[2J\"", L"line 3: unknown escape \"\\\\x1B\""},
        {L"[HKEY_USERS\\x]\n\"a\"=hex:" + longToken,
         L"line 3: not a hexadecimal byte: \"" + longToken.substr(0, kQuotedTextLimit) + L"...\""},
        {L"[HKEY_USERS\\x]\n\"a\"=\"b\\q\"", L"line 3: unknown escape \"\\q\""},
        {L"[HKEY_USERS\\x]\n\"a\"=\"b", L"line 3: the closing quote is missing"},
        {L"[HKEY_USERS\\x]\n\"a\\\"=\"b\"", L"line 3: the value's name is not followed by \"=\""},
        {L"hello", L"line 2: not a value or a key"},
        {L"[HKEY_USERS\\x", L"line 2: the key's closing bracket is missing"},
        {L"[Software\\x]", L"line 2: the key does not start with a registry root such as HKEY_CURRENT_USER"},
        {L"[HKEY_USERS\\x] y", L"line 2: unexpected text after the value or key"},
        {L"[]", L"line 2: a key without a path"},
        {L"[HKEY_USERS\\x]\n\"a\"=dword:123456789", L"line 3: a dword needs one to eight hexadecimal digits"},
        {L"[HKEY_USERS\\x]\n\"a\"=dword:", L"line 3: a dword needs one to eight hexadecimal digits"},
        {L"[HKEY_USERS\\x]\n\"a\"=hex:01,zz", L"line 3: not a hexadecimal byte: \"zz\""},
        {L"[HKEY_USERS\\x]\n\"a\"=hex:01,\\\n 02,123", L"line 4: not a hexadecimal byte: \"123\""},
        {L"[HKEY_USERS\\x]\n\"a\"=hex:01,\\", L"line 3: the value continues past the end of the file"},
        {L"[HKEY_USERS\\x]\n\"a\"=hex(x):01",
         L"line 3: hex( needs a type of one to eight hexadecimal digits and a \")\""},
        {L"[HKEY_USERS\\x]\n\"a\"=hex(1):41", L"line 3: a text's bytes are not whole UTF-16 characters"},
        {L"[HKEY_USERS\\x]\n\"a\"=str:\"b\"", L"line 3: the data is not \"text\", dword:, hex: or -"},
        {L"[-HKEY_USERS\\x]\n\"a\"=\"b\"", L"line 3: a value under a key that is to be deleted"},
        // Every bad line is reported; values under a bad key only for their own faults.
        {L"[HKEY_USERS\\x\n\"a\"=\"b\"\n@=\"c\n;\n?",
         L"line 2: the key's closing bracket is missing\nline 4: the closing quote is missing\n"
         L"line 6: not a value or a key"},
    };
    for (const auto& [body, expected] : cases) {
        std::wstring text = L"Windows Registry Editor Version 5.00\n" + std::wstring(body);
        EXPECT_EQ(ParseRegFile(Utf16File(text, false)).ErrorText(), expected) << ::testing::PrintToString(text);
    }
    std::wstring manyBad;
    for (int line = 0; line < 1000; ++line) manyBad += L"\r\nbad";
    // A screenful of bad lines, then how many more.
    const RegFileReadResult many = ParseRegFile(Utf16File(manyBad));
    ASSERT_EQ(many.errors.size(), kMaxRegFileErrors + 1);
    EXPECT_EQ(many.errors[kMaxRegFileErrors - 1].Text(), L"line 21: not a value or a key");
    EXPECT_EQ(many.errors.back().Text(), L"... and 980 more like these.");
}

TEST(RegFileTest, RefusesWhatIsNoRegistryFile) {
    const std::string notRegistry =
        "not a registry file: it does not start with \"Windows Registry Editor Version "
        "5.00\" or \"REGEDIT4\"";
    const std::pair<std::string, std::string> cases[] = {
        {"", notRegistry},
        {"REGEDIT5\r\n", notRegistry},
        {"Windows Registry Editor Version 5.0\r\n", notRegistry},
        {Utf16File(L"REGEDIT4\r\n", false), notRegistry},
        {"\xFE\xFF\0W", notRegistry},
        {Utf16File(L"\r\n") + "x", "the file ends in the middle of a character"},
        {"\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\xC0",
         "not a registry file: the text is not valid UTF-8"},
        {"REGEDIT4" + std::string(kMaxRegFileBytes, '\n'), "the file is too large (more than 4 MB)"},
    };
    for (const auto& [bytes, expected] : cases) {
        const RegFileReadResult read = ParseRegFile(bytes);
        ASSERT_EQ(read.errors.size(), 1u);
        EXPECT_EQ(read.errors[0].line, 0);
        EXPECT_EQ(read.errors[0].Text(), std::wstring(expected.begin(), expected.end()));
    }
    const testing::TempFolder temp;
    const RegFileReadResult missing = ReadRegFile(temp.path() + L"none.reg");
    EXPECT_EQ(missing.errors.at(0).status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(missing.ErrorText().rfind(L"cannot open the file: ", 0), 0u);
}

// Random bytes, every cut of a good file, bytes changed at random and a huge line: the reader
// answers, and says why when it refuses.
TEST(RegFileTest, NeverFailsOnDamagedInput) {
    const std::string good = RegFileBytes(SampleFile(L"HKEY_CURRENT_USER\\Software\\V"));
    const std::string ansi = "REGEDIT4\n[HKEY_USERS\\x]\n\"a\"=hex:01,\\\n02\n@=\"\\\\\"\n";
    std::mt19937 random(7);
    std::vector<std::string> inputs;
    for (const std::string& file : {good, ansi})
        for (size_t size = 0; size <= file.size(); ++size) inputs.push_back(file.substr(0, size));
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = round % 2 ? good : ansi;
        for (int change = 0; change <= round % 5; ++change)
            damaged[random() % damaged.size()] = "\"\\[]=,:\n\r-@;x0\xFF"[random() % 15];
        inputs.push_back(damaged);
    }
    for (int round = 0; round < 200; ++round) {
        std::string noise(random() % 300, '\0');
        for (char& byte : noise) byte = static_cast<char>(random());
        inputs.push_back((round % 3 ? "REGEDIT4\n" : "") + noise);
    }
    inputs.push_back("REGEDIT4\n[HKEY_USERS\\x]\n\"" + std::string(3'000'000, 'a') +
                     "\"=hex:" + std::string(500'000, ','));
    for (const std::string& input : inputs) {
        const RegFileReadResult read = ParseRegFile(input);
        for (const RegFileError& error : read.errors) EXPECT_FALSE(error.message.empty());
    }
}

}  // namespace
}  // namespace velmora
