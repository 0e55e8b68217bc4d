// The system's sentence for a Win32 status, for the messages of the registry file reader and writer.
#pragma once

#include <windows.h>

#include <string>

namespace velmora::regfile_detail {

// "Access denied. (error 5)"; the number alone when the system has no sentence for it.
inline std::wstring StatusText(DWORD status) {
    wchar_t buffer[512] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, status, 0,
                                    buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
        --length;
    std::wstring text(buffer, length);
    return (text.empty() ? L"" : text + L" ") + L"(error " + std::to_wstring(status) + L")";
}

}  // namespace velmora::regfile_detail
