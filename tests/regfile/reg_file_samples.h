// Values, keys and file bytes for the registry file tests.
#pragma once

#include "regfile/reg_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// Failures show a file as the writer writes it.
inline void PrintTo(const RegFile& file, std::ostream* out) {
    *out << ::testing::PrintToString(RegFileText(file));
}

inline RegValue Text(const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
    return {name, false, type, text, {}};
}
inline RegValue Raw(const std::wstring& name, DWORD type, std::vector<BYTE> data) {
    return {name, false, type, {}, data};
}
inline RegValue Deletion(const std::wstring& name) {
    return {name, true, REG_SZ, {}, {}};
}

// A key; a path starting with "-" is a deletion.
inline RegKey Key(const std::wstring& path, std::vector<RegValue> values = {}) {
    return {path.substr(path.starts_with(L"-") ? 1 : 0), path.starts_with(L"-"), std::move(values)};
}

// Every kind of value the writer makes, below root: texts outside the ANSI code page, quotes and
// backslashes, line breaks, numbers and long byte lists.
inline RegFile SampleFile(const std::wstring& root) {
    std::vector<BYTE> bytes(100);
    for (size_t at = 0; at < bytes.size(); ++at) bytes[at] = static_cast<BYTE>(at * 7);
    return RegFile{{
        Key(root + L"\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1",
            {Text(L"", L"C:\\Program Files\\\"quoted\"\\"), Text(L"\u65E5\u672C \"\\", L"\u6771\u4EAC \u00E9"),
             Text(L"Empty", L""), Text(L"Lines", L"one\r\ntwo\n"), Text(L"Expand", L"%TEMP%\\x", REG_EXPAND_SZ),
             Raw(L"Number", REG_DWORD, {0x78, 0x56, 0x34, 0x12}), Raw(L"Bytes", REG_BINARY, bytes),
             Raw(L"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0}), Raw(L"Big", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}),
             Deletion(L"Old")}),
        Key(L"-" + root + L"\\Gone"),
        Key(root + L"\\Empty"),
    }};
}

inline std::wstring AnsiText(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                          text.data(), static_cast<int>(text.size()))));
    return text;
}

constexpr const wchar_t* kHeader = L"Windows Registry Editor Version 5.00";

// A 5.00 file in UTF-16 LE with its byte-order mark; the header is put before text when asked.
inline std::string Utf16File(const std::wstring& text, bool header = true) {
    const std::wstring all = (header ? kHeader : L"") + text;
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(all.data()), all.size() * 2);
}

// The same in UTF-8 with its byte-order mark.
inline std::string Utf8File(const std::wstring& text) {
    const std::wstring all = kHeader + text;
    std::string bytes(all.size() * 3, '\0');
    bytes.resize(
        static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, all.data(), static_cast<int>(all.size()), bytes.data(),
                                                  static_cast<int>(bytes.size()), nullptr, nullptr)));
    return "\xEF\xBB\xBF" + bytes;
}

}  // namespace velmora
