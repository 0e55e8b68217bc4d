#include "commandline/script_report.h"

#include "common/report_text.h"

#include <algorithm>

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

// The text with every line ended by CR LF, whatever ends its lines now (CR LF, LF or CR alone),
// and no other control character as it is: each shown as its escape, so that no text in a report
// moves the cursor or starts a line of its own.
std::wstring WithLineEnds(const std::wstring& text) {
    std::wstring lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        lines += PrintableText(std::wstring_view(text).substr(start, end - start)) + L"\r\n";
        if (end == text.size()) break;
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

}  // namespace

ConsoleReport::ConsoleReport() {
    output_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (!IsValid(output_) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        // The console's own output, not whatever the standard handle was set to when attaching.
        ownedOutput_.reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
        output_ = ownedOutput_.get();
    }
    console_ = IsValid(output_) && IsConsole(output_);
}

ConsoleReport::ConsoleReport(HANDLE output) : output_(output), console_(IsValid(output) && IsConsole(output)) {}

ConsoleReport::~ConsoleReport() = default;

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
