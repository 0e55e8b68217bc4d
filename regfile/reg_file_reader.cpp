#include "regfile/reg_file.h"

#include "common/report_text.h"
#include "common/unique_handles.h"
#include "regfile/status_text.h"

#include <array>

namespace velmora {

namespace {

constexpr std::wstring_view kUnicodeHeader = L"Windows Registry Editor Version 5.00";
constexpr std::wstring_view kAnsiHeader = L"REGEDIT4";

std::wstring_view TrimLeft(std::wstring_view text) {
    const size_t start = text.find_first_not_of(L" \t");
    return start == std::wstring_view::npos ? std::wstring_view() : text.substr(start);
}

std::wstring_view TrimRight(std::wstring_view text) {
    const size_t end = text.find_last_not_of(L" \t");
    return end == std::wstring_view::npos ? std::wstring_view() : text.substr(0, end + 1);
}

bool SameTextIgnoringCase(std::wstring_view first, std::wstring_view second) {
    return ::CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                                  static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() && SameTextIgnoringCase(text.substr(0, start.size()), start);
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads up to maxDigits hexadecimal digits from the start of text into number; answers how many
// there were, and drops them from text.
size_t TakeHex(std::wstring_view& text, size_t maxDigits, DWORD& number) {
    size_t count = 0;
    number = 0;
    while (count < text.size() && count < maxDigits && HexDigit(text[count]) >= 0)
        number = number * 16 + static_cast<DWORD>(HexDigit(text[count++]));
    text.remove_prefix(count);
    return count;
}

std::wstring Widen(std::string_view bytes, UINT codePage, bool& valid) {
    valid = true;
    if (bytes.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    valid = length > 0 && ::MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length) == length;
    return text;
}

// The parser of the lines after the header; each line is parsed on its own except a hex list's
// continuation lines, which the value takes from the lines that follow it.
class Parser {
public:
    Parser(std::wstring_view text, bool eightBit) : eightBit_(eightBit) {
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring_view::npos) end = text.size();
            std::wstring_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    RegFileReadResult Run() {
        // An 8-bit file may carry either header, as "reg import" reads it: its text is in the ANSI
        // code page either way, and the header says how hex(1) and hex(2) bytes are read.
        const std::wstring_view header = lines_.empty() ? std::wstring_view() : TrimRight(lines_[0]);
        regedit4_ = eightBit_ && header == kAnsiHeader;
        if (header != kUnicodeHeader && !regedit4_) {
            result_.errors.push_back({0, L"not a registry file: it does not start with \"" +
                                             std::wstring(kUnicodeHeader) + L"\" or \"" + std::wstring(kAnsiHeader) +
                                             L"\""});
            return std::move(result_);
        }
        // Past kMaxRegFileErrors the bad lines are only counted, for the one line that says how many more.
        for (next_ = 1; next_ < lines_.size();) {
            const int number = static_cast<int>(++next_);
            ParseLine(TrimLeft(lines_[number - 1]), number);
        }
        if (moreErrors_ > 0) result_.errors.push_back({0, MoreLikeThese(moreErrors_)});
        return std::move(result_);
    }

private:
    bool Fail(int line, std::wstring message) {
        if (result_.errors.size() < kMaxRegFileErrors) {
            result_.errors.push_back({line, std::move(message)});
        } else {
            ++moreErrors_;
        }
        return false;
    }

    void ParseLine(std::wstring_view line, int number) {
        if (line.empty() || line[0] == L';') return;
        if (line[0] == L'[') return ParseKey(line.substr(1), number);
        if (line[0] == L'@' || line[0] == L'"') return ParseValue(line, number);
        Fail(number, L"not a value or a key");
    }

    void ParseKey(std::wstring_view body, int number) {
        keySeen_ = true;
        key_ = nullptr;  // the values below a bad key are checked, then dropped
        const bool deletion = !body.empty() && body[0] == L'-';
        if (deletion) body.remove_prefix(1);
        const size_t close = body.rfind(L']');
        if (close == std::wstring_view::npos) return void(Fail(number, L"the key's closing bracket is missing"));
        if (!EndOfLine(body.substr(close + 1), number)) return;
        const std::wstring_view path = body.substr(0, close);
        if (path.empty()) return void(Fail(number, L"a key without a path"));
        if (!SplitKeyPath(path))
            return void(Fail(number, L"the key does not start with a registry root such as HKEY_CURRENT_USER"));
        result_.file.keys.push_back({std::wstring(path), deletion, {}, number});
        key_ = &result_.file.keys.back();
    }

    void ParseValue(std::wstring_view rest, int number) {
        RegValue value;
        value.line = number;
        if (rest[0] == L'@') {
            rest.remove_prefix(1);
        } else if (!TakeQuoted(rest, number, value.name)) {
            return;
        }
        rest = TrimLeft(rest);
        if (rest.empty() || rest[0] != L'=') return void(Fail(number, L"the value's name is not followed by \"=\""));
        if (!ParseData(TrimLeft(rest.substr(1)), number, value)) return;
        if (!keySeen_) return void(Fail(number, L"a value outside any key"));
        if (key_ && key_->deletion) return void(Fail(number, L"a value under a key that is to be deleted"));
        if (key_) key_->values.push_back(std::move(value));
    }

    // A quoted text at the start of rest, with its escapes resolved; rest keeps what follows it.
    bool TakeQuoted(std::wstring_view& rest, int number, std::wstring& text) {
        for (size_t at = 1; at < rest.size(); ++at) {
            if (rest[at] == L'"') {
                rest.remove_prefix(at + 1);
                return true;
            }
            if (rest[at] == L'\\' && ++at < rest.size()) {
                if (rest[at] != L'\\' && rest[at] != L'"')
                    return Fail(number, L"unknown escape " + QuotedForReport(L"\\" + std::wstring(1, rest[at])));
            }
            if (at < rest.size()) text += rest[at];
        }
        return Fail(number, L"the closing quote is missing");
    }

    bool EndOfLine(std::wstring_view rest, int number) {
        rest = TrimLeft(rest);
        return rest.empty() || rest[0] == L';' || Fail(number, L"unexpected text after the value or key");
    }

    bool ParseData(std::wstring_view rest, int number, RegValue& value) {
        if (!rest.empty() && rest[0] == L'-') {
            value.deletion = true;
            return EndOfLine(rest.substr(1), number);
        }
        if (!rest.empty() && rest[0] == L'"') return TakeQuoted(rest, number, value.text) && EndOfLine(rest, number);
        if (StartsWithIgnoringCase(rest, L"dword:")) {
            rest.remove_prefix(6);
            DWORD number32 = 0;
            const size_t digits = TakeHex(rest, 9, number32);
            if (digits < 1 || digits > 8) return Fail(number, L"a dword needs one to eight hexadecimal digits");
            value.type = REG_DWORD;
            value.data.resize(sizeof number32);
            for (size_t at = 0; at < 4; ++at) value.data[at] = static_cast<BYTE>(number32 >> (8 * at));
            return EndOfLine(rest, number);
        }
        if (!StartsWithIgnoringCase(rest, L"hex")) return Fail(number, L"the data is not \"text\", dword:, hex: or -");
        rest.remove_prefix(3);
        value.type = REG_BINARY;
        if (!rest.empty() && rest[0] == L'(') {
            rest.remove_prefix(1);
            const size_t digits = TakeHex(rest, 9, value.type);
            if (digits < 1 || digits > 8 || rest.empty() || rest[0] != L')')
                return Fail(number, L"hex( needs a type of one to eight hexadecimal digits and a \")\"");
            rest.remove_prefix(1);
        }
        if (rest.empty() || rest[0] != L':') return Fail(number, L"hex data needs a \":\" before its bytes");
        rest.remove_prefix(1);
        return TakeBytes(rest, number, value.data) && TextFromBytes(number, value);
    }

    // The comma-separated bytes of a hex list, which a backslash at the end of a line continues on
    // the next line.
    bool TakeBytes(std::wstring_view rest, int number, std::vector<BYTE>& bytes) {
        while (true) {
            rest = TrimLeft(rest);
            if (rest.empty() || rest[0] == L';') return true;
            if (rest[0] == L'\\') {
                if (!TrimLeft(rest.substr(1)).empty()) return Fail(number, L"unexpected text after a \"\\\"");
                if (next_ >= lines_.size()) return Fail(number, L"the value continues past the end of the file");
                number = static_cast<int>(++next_);
                rest = lines_[number - 1];
                continue;
            }
            constexpr std::wstring_view kByteEnds = L", \t\\;";
            DWORD byte = 0;
            const std::wstring_view start = rest;
            if (TakeHex(rest, 2, byte) == 0 || (!rest.empty() && kByteEnds.find(rest[0]) == kByteEnds.npos)) {
                const std::wstring_view token = start.substr(0, start.find_first_of(kByteEnds));
                return Fail(number, L"not a hexadecimal byte: " + QuotedForReport(token));
            }
            bytes.push_back(static_cast<BYTE>(byte));
            rest = TrimLeft(rest);
            if (!rest.empty() && rest[0] == L',') rest.remove_prefix(1);
        }
    }

    // Texts given as hex(1) or hex(2) bytes become texts: UTF-16 in a 5.00 file (8-bit or not),
    // the ANSI code page in a REGEDIT4 file; one terminating null is dropped.
    bool TextFromBytes(int number, RegValue& value) {
        if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return true;
        std::vector<BYTE>& bytes = value.data;
        if (regedit4_) {
            if (!bytes.empty() && bytes.back() == 0) bytes.pop_back();
            bool valid = true;
            const std::string_view ansi(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            value.text = Widen(ansi, CP_ACP, valid);
        } else {
            if (bytes.size() % 2) return Fail(number, L"a text's bytes are not whole UTF-16 characters");
            for (size_t at = 0; at < bytes.size(); at += 2)
                value.text += static_cast<wchar_t>(bytes[at] | (bytes[at + 1] << 8));
            if (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
        }
        bytes.clear();
        return true;
    }

    bool eightBit_;          // the file's text is in the ANSI code page
    bool regedit4_ = false;  // its header is "REGEDIT4"
    std::vector<std::wstring_view> lines_;
    size_t next_ = 0;  // the index of the next line to parse
    bool keySeen_ = false;
    RegKey* key_ = nullptr;  // the key the values go to; none after a bad key line
    RegFileReadResult result_;
    size_t moreErrors_ = 0;  // bad lines past kMaxRegFileErrors
};

RegFileReadResult FileFailure(std::wstring message, DWORD status = ERROR_SUCCESS) {
    RegFileReadResult result;
    result.errors.push_back({0, std::move(message), status});
    return result;
}

RegFileReadResult TooLarge() {
    return FileFailure(L"the file is too large (more than " + std::to_wstring(kMaxRegFileBytes / (1024 * 1024)) +
                       L" MB)");
}

}  // namespace

std::wstring RegFileError::Text() const {
    std::wstring text = line > 0 ? L"line " + std::to_wstring(line) + L": " + message : message;
    if (status != ERROR_SUCCESS) text += L": " + regfile_detail::StatusText(status);
    return text;
}

std::vector<std::wstring> RegFileErrorLines(const std::vector<RegFileError>& errors) {
    // The file's own errors, and the line after them, are of their own kind.
    BoundedLines lines(kMaxRegFileErrors);
    for (const RegFileError& error : errors) lines.Add(error.line > 0 ? L"line" : L"file", error.Text());
    return lines.Lines();
}

std::wstring RegFileReadResult::ErrorText() const {
    std::wstring text;
    for (const RegFileError& error : errors) text += (text.empty() ? L"" : L"\n") + error.Text();
    return text;
}

RegFileReadResult ParseRegFile(std::string_view bytes) {
    if (bytes.size() > kMaxRegFileBytes) return TooLarge();
    const bool utf16 = bytes.starts_with("\xFF\xFE");
    const bool utf8 = bytes.starts_with("\xEF\xBB\xBF");
    std::wstring text;
    if (utf16) {
        if (bytes.size() % 2) return FileFailure(L"the file ends in the middle of a character");
        text.resize(bytes.size() / 2 - 1);
        for (size_t at = 0; at < text.size(); ++at)
            text[at] = static_cast<wchar_t>(static_cast<BYTE>(bytes[2 + 2 * at]) |
                                            (static_cast<BYTE>(bytes[3 + 2 * at]) << 8));
    } else {
        bool valid = true;
        text = Widen(bytes.substr(utf8 ? 3 : 0), utf8 ? CP_UTF8 : CP_ACP, valid);
        if (!valid && utf8) return FileFailure(L"not a registry file: the text is not valid UTF-8");
    }
    return Parser(text, !utf16 && !utf8).Run();
}

RegFileReadResult ReadRegFile(const std::wstring& path) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileFailure(L"cannot open the file", ::GetLastError());
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.get(), &size)) return FileFailure(L"cannot read the file", ::GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxRegFileBytes) return TooLarge();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
        return FileFailure(L"cannot read the file", ::GetLastError());
    bytes.resize(done);
    return ParseRegFile(bytes);
}

std::optional<std::pair<HKEY, std::wstring>> SplitKeyPath(std::wstring_view path) {
    static const std::array<std::pair<std::wstring_view, HKEY>, 5> kRoots = {{
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKEY_USERS", HKEY_USERS},
        {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    }};
    for (const auto& [name, root] : kRoots) {
        if (!StartsWithIgnoringCase(path, name)) continue;
        const std::wstring_view rest = path.substr(name.size());
        if (rest.empty()) return std::pair(root, std::wstring());
        if (rest[0] == L'\\') return std::pair(root, std::wstring(rest.substr(1)));
    }
    return std::nullopt;
}

}  // namespace velmora
