#include "regfile/reg_file.h"

#include "common/file_paths.h"
#include "common/report_text.h"
#include "common/unique_handles.h"
#include "regfile/status_text.h"

#include <cwchar>

namespace velmora {

namespace {

// Where a hex list is broken onto the next line, as the registry editor does.
constexpr size_t kHexLineWidth = 76;

void AppendQuoted(std::wstring& out, const std::wstring& text) {
    out += L'"';
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"') out += L'\\';
        out += c;
    }
    out += L'"';
}

bool HoldsLineBreak(const std::wstring& text) {
    return text.find_first_of(L"\r\n") != std::wstring::npos;
}

std::wstring Hex(DWORD number, int digits) {
    wchar_t buffer[16] = {};
    std::swprintf(buffer, 16, L"%0*lx", digits, static_cast<unsigned long>(number));
    return buffer;
}

void AppendHexList(std::wstring& out, DWORD type, const std::vector<BYTE>& bytes) {
    out += type == REG_BINARY ? L"hex:" : L"hex(" + Hex(type, 1) + L"):";
    size_t lineStart = out.rfind(L'\n') + 1;  // npos + 1 is 0: the text's first line
    for (size_t at = 0; at < bytes.size(); ++at) {
        out += Hex(bytes[at], 2);
        if (at + 1 == bytes.size()) break;
        out += L',';
        if (out.size() - lineStart > kHexLineWidth) {
            out += L"\\\r\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void AppendValue(std::wstring& out, const RegValue& value) {
    if (value.name.empty()) {
        out += L'@';
    } else {
        AppendQuoted(out, value.name);
    }
    out += L'=';
    const bool isText = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    if (value.deletion) {
        out += L'-';
    } else if (value.type == REG_SZ && !HoldsLineBreak(value.text) && value.text.find(L'\0') == std::wstring::npos) {
        AppendQuoted(out, value.text);
    } else if (isText) {
        // UTF-16 LE with the terminating null, as the registry stores texts.
        std::vector<BYTE> bytes;
        for (wchar_t c : value.text) bytes.insert(bytes.end(), {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8)});
        bytes.insert(bytes.end(), {0, 0});
        AppendHexList(out, value.type, bytes);
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        const std::vector<BYTE>& d = value.data;
        out += L"dword:" + Hex(static_cast<DWORD>(d[0] | d[1] << 8 | d[2] << 16 | d[3] << 24), 8);
    } else {
        AppendHexList(out, value.type, value.data);
    }
    out += L"\r\n";
}

RegFileWriteResult Failure(RegFileWriteRefusal refusal, DWORD status, const std::wstring& path,
                           const std::wstring& step) {
    return {refusal, status,
            L"cannot write " + QuotedForReport(path) + L": " + step + L": " + regfile_detail::StatusText(status)};
}

}  // namespace

std::wstring RegFileText(const RegFile& file, const std::vector<std::wstring>& comments) {
    std::wstring out = L"Windows Registry Editor Version 5.00\r\n";
    for (const std::wstring& comment : comments) {
        for (size_t start = 0; start <= comment.size();) {
            size_t end = comment.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos) end = comment.size();
            out += (end > start ? L"; " + comment.substr(start, end - start) : L";") + L"\r\n";
            start = end + (comment.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        }
    }
    out += L"\r\n";
    for (const RegKey& key : file.keys) {
        out += (key.deletion ? L"[-" : L"[") + key.path + L"]\r\n";
        if (!key.deletion) {
            for (const RegValue& value : key.values) AppendValue(out, value);
        }
        out += L"\r\n";
    }
    return out;
}

std::string RegFileBytes(const RegFile& file, const std::vector<std::wstring>& comments) {
    const std::wstring text = RegFileText(file, comments);
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) bytes.insert(bytes.end(), {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
    return bytes;
}

RegFileWriteResult WriteRegFile(const std::wstring& path, const RegFile& file,
                                const std::vector<std::wstring>& comments) {
    for (const RegKey& key : file.keys) {
        bool breaks = HoldsLineBreak(key.path);
        for (const RegValue& value : key.values) breaks = breaks || HoldsLineBreak(value.name);
        if (breaks)
            return {RegFileWriteRefusal::LineBreakInName, ERROR_INVALID_DATA,
                    L"cannot write " + QuotedForReport(path) + L": a key or value name holds a line break"};
    }
    const std::string bytes = RegFileBytes(file, comments);

    const std::wstring full = FullPath(path);
    const size_t slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 == full.size())
        return Failure(RegFileWriteRefusal::NotAFilePath, ERROR_INVALID_NAME, path, L"not a file path");
    const std::wstring folder = full.substr(0, slash + 1);
    // Windows refuses to replace a read-only file and Wine does not: ask first, for one answer on both.
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Failure(RegFileWriteRefusal::ReadOnlyFile, ERROR_ACCESS_DENIED, full, L"the file is read-only");

    wchar_t temporary[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"vrf", 0, temporary))
        return Failure(RegFileWriteRefusal::NoTemporaryFile, ::GetLastError(), full,
                       L"cannot make a temporary file in its folder");
    DWORD status = ERROR_SUCCESS;
    {
        UniqueFileHandle out(
            ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        if (!out || !::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
            !::FlushFileBuffers(out.get())) {
            status = ::GetLastError();
        } else if (done != bytes.size()) {
            status = ERROR_WRITE_FAULT;
        }
    }
    RegFileWriteRefusal refusal = RegFileWriteRefusal::TemporaryNotWritten;
    const wchar_t* step = L"cannot write the temporary file";
    if (status == ERROR_SUCCESS) {
        if (::MoveFileExW(temporary, full.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
        status = ::GetLastError();
        refusal = RegFileWriteRefusal::NotPutInPlace;
        step = L"cannot put the new file in its place";
    }
    ::DeleteFileW(temporary);
    return Failure(refusal, status, full, step);
}

}  // namespace velmora
