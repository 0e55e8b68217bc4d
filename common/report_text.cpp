#include "common/report_text.h"

namespace velmora {

namespace {

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

std::wstring Hex(unsigned value, int digits) {
    std::wstring text(digits, L'0');
    for (int at = digits - 1; at >= 0; --at, value >>= 4) text[at] = kHexDigits[value & 0xF];
    return text;
}

// Characters that change how the text around them is laid out: the line and paragraph separators,
// the marks and overrides of the writing direction, and the Arabic letter mark.
bool IsLayoutControl(wchar_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The character as shown: itself, or its escape.
std::wstring Shown(wchar_t c) {
    switch (c) {
    case L'\r':
        return L"\\r";
    case L'\n':
        return L"\\n";
    case L'\t':
        return L"\\t";
    default:
        break;
    }
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return L"\\x" + Hex(c, 2);
    if (IsLayoutControl(c)) return L"\\u" + Hex(c, 4);
    return std::wstring(1, c);
}

std::wstring Grouped(std::size_t number) {
    std::wstring digits = std::to_wstring(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, L',');
    return digits;
}

std::wstring Indent(const std::wstring& line) {
    return line.substr(0, line.find_first_not_of(L' '));
}

}  // namespace

std::wstring PrintableText(std::wstring_view text, std::size_t limit) {
    std::wstring shown;
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::wstring next = Shown(text[at]);
        // A surrogate pair is one character: never cut between its halves.
        if (text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            next += text[++at];
        }
        if (shown.size() + next.size() > limit) return shown + L"...";
        shown += next;
    }
    return shown;
}

std::wstring QuotedForReport(std::wstring_view text) {
    return L"\"" + PrintableText(text, kQuotedTextLimit) + L"\"";
}

std::wstring MoreLikeThese(std::size_t more) {
    return L"... and " + Grouped(more) + L" more like these.";
}

void BoundedLines::Add(const std::wstring& kind, std::wstring line) {
    if (++counts_[kind] <= perKind_) kept_.emplace_back(kind, std::move(line));
}

std::vector<std::wstring> BoundedLines::Lines() const {
    std::vector<std::wstring> lines;
    std::map<std::wstring, std::size_t> shown;
    for (const auto& [kind, line] : kept_) {
        lines.push_back(line);
        const std::size_t count = counts_.at(kind);
        if (++shown[kind] == perKind_ && count > perKind_)
            lines.push_back(Indent(line) + MoreLikeThese(count - perKind_));
    }
    return lines;
}

}  // namespace velmora
