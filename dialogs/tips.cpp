#include "dialogs/tips.h"

#include "common/unique_handles.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>

namespace velmora {

namespace {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr)) return std::nullopt;
        if (got == 0) return bytes;
        // The text conversions count in int; a tips file of gigabytes is not one.
        if (bytes.size() + got > INT_MAX / 2) return std::nullopt;
        bytes.append(chunk, got);
    }
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
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    tips = SplitTipLines(DecodeTipsText(*bytes));
    return true;
}

int RandomTipNumber(std::mt19937_64& generator, int count) {
    // 53 random bits make a double in [0, 1) exactly; never 1.
    const double r = static_cast<double>(generator() >> 11) * 0x1.0p-53;
    const int number = static_cast<int>(std::floor(r * count + 1));
    return std::clamp(number, 1, std::max(count, 1));
}

}  // namespace velmora
