#include "commandline/script_report.h"

namespace velmora {

namespace {

bool IsValid(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != FALSE;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                              nullptr);
    }
    return bytes;
}

// The text with every line ended by CR LF, whatever ends its lines now.
std::wstring WithLineEnds(const std::wstring& text) {
    std::wstring lines;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') lines += L'\r';
        lines += c;
    }
    return lines + L"\r\n";
}

}  // namespace

ConsoleReport::ConsoleReport() {
    output_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (!IsValid(output_) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        // The console's own output, not whatever the standard handle was set to when attaching.
        output_ = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        ownsOutput_ = IsValid(output_);
    }
    console_ = IsValid(output_) && IsConsole(output_);
}

ConsoleReport::ConsoleReport(HANDLE output) : output_(output), console_(IsValid(output) && IsConsole(output)) {}

ConsoleReport::~ConsoleReport() {
    if (ownsOutput_) ::CloseHandle(output_);
}

void ConsoleReport::Line(const std::wstring& text) {
    if (!IsValid(output_)) return;
    const std::wstring lines = WithLineEnds(text);
    DWORD written = 0;
    if (console_) {
        ::WriteConsoleW(output_, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    } else {
        const std::string bytes = Utf8(lines);
        ::WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

}  // namespace velmora
