#include "dialogs/tips.h"

#include "common/unique_handles.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace velmora {

namespace {

// The first bytes of a file, at most limit of them, and whether the file goes on after them.
struct FileStart {
    std::string bytes;
    bool cut = false;
};

// The start of the file, or nothing when it cannot be opened or read.
std::optional<FileStart> ReadFileStart(const std::wstring& path, size_t limit) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    FileStart start;
    char chunk[65536];
    while (start.bytes.size() < limit) {
        const DWORD wanted = static_cast<DWORD>(std::min(sizeof(chunk), limit - start.bytes.size()));
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, wanted, &got, nullptr)) return std::nullopt;
        if (got == 0) return start;
        start.bytes.append(chunk, got);
    }
    // One byte more only tells whether the file goes on.
    DWORD got = 0;
    start.cut = !::ReadFile(file.get(), chunk, 1, &got, nullptr) || got > 0;
    return start;
}

// How many bytes at the end of bytes are a UTF-8 character cut short.
size_t CutUtf8Tail(std::string_view bytes) {
    for (size_t back = 1; back <= std::min<size_t>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// The part of a text cut off by the read limit that holds whole lines: up to its last line end;
// when it has none, the one long line up to its last whole character.
std::string_view WholeLines(std::string_view bytes) {
    const bool bigEndian = bytes.starts_with("\xFE\xFF");
    if (bigEndian || bytes.starts_with("\xFF\xFE")) {
        size_t end = bytes.size() & ~size_t{1};  // UTF-16 units start at even offsets after the mark
        auto unit = [&](size_t at) {
            const auto first = static_cast<unsigned char>(bytes[at]);
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            return static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
        };
        for (size_t at = end; at > 2; at -= 2) {
            if (unit(at - 2) == L'\r' || unit(at - 2) == L'\n') return bytes.substr(0, at);
        }
        if (end > 2 && IS_HIGH_SURROGATE(unit(end - 2))) end -= 2;
        return bytes.substr(0, end);
    }
    const size_t lineEnd = bytes.find_last_of("\r\n");
    if (lineEnd != std::string_view::npos) return bytes.substr(0, lineEnd + 1);
    return bytes.substr(0, bytes.size() - CutUtf8Tail(bytes));
}

// Bytes in a code page; nothing when flags has MB_ERR_INVALID_CHARS and the bytes are not valid.
std::optional<std::wstring> FromCodePage(UINT codePage, std::string_view bytes, DWORD flags) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
    return text;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {  // an odd last byte is no character
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::wstring DecodeTipsText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return FromCodePage(CP_UTF8, bytes.substr(3), 0).value_or(L"");
    if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
    if (auto utf8 = FromCodePage(CP_UTF8, bytes, MB_ERR_INVALID_CHARS)) return *utf8;
    return FromCodePage(CP_ACP, bytes, 0).value_or(L"");
}

// One entry per line; a line ends at CR, CR LF or LF, and text after the last line end is a line
// too. A text that ends with a line end has no empty line after it.
std::vector<std::wstring> SplitTipLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != L'\r' && text[at] != L'\n') continue;
        lines.push_back(text.substr(start, at - start));
        if (text[at] == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n') ++at;
        start = at + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

bool ReadTipsFile(const std::wstring& path, std::vector<std::wstring>& tips) {
    if (path.empty()) return false;
    const std::optional<FileStart> start = ReadFileStart(path, kTipsReadLimit);
    if (!start) return false;
    const std::string_view bytes = start->cut ? WholeLines(start->bytes) : std::string_view(start->bytes);
    tips = SplitTipLines(DecodeTipsText(bytes));
    return true;
}

int RandomTipNumber(std::mt19937_64& generator, int count) {
    // 53 random bits make a double in [0, 1) exactly; never 1.
    const double r = static_cast<double>(generator() >> 11) * 0x1.0p-53;
    const int number = static_cast<int>(std::floor(r * count + 1));
    return std::clamp(number, 1, std::max(count, 1));
}

}  // namespace velmora
