// Registry files (.reg) as the registry editor and "reg import" read and write them: a model of
// their keys and values, a reader that parses a file into it and a writer that makes a file of it.
//
// Reading only parses: nothing here ever applies a file to the registry. A file handed in from
// outside is input, to be checked by its caller before anything is done with what it holds.
//
// The files written are UTF-16 LE with a byte-order mark and the "Windows Registry Editor Version
// 5.00" header, lines ending in CR LF. Files read may be those, the same with a UTF-8 byte-order
// mark, or 8-bit files in the ANSI code page with either the "REGEDIT4" or the 5.00 header.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

struct RegValue {
    std::wstring name;      // empty: the key's default value, written @
    bool deletion = false;  // "name"=- : the value is to be removed; type and data mean nothing then
    DWORD type = REG_SZ;
    // REG_SZ and REG_EXPAND_SZ hold their text here (without a terminating null), every other
    // type its raw bytes in data (REG_DWORD: four bytes, least significant first).
    std::wstring text;
    std::vector<BYTE> data;
    int line = 0;  // where the value starts in the file it was read from; 0 when made in code

    // Same value, wherever it stands in a file.
    bool operator==(const RegValue& other) const {
        return name == other.name && deletion == other.deletion && type == other.type && text == other.text &&
               data == other.data;
    }
};

struct RegKey {
    std::wstring path;             // as written between the brackets: HKEY_CURRENT_USER\Software\...
    bool deletion = false;         // [-path]: the key is to be removed with everything below it
    std::vector<RegValue> values;  // never written for a deleted key
    int line = 0;

    bool operator==(const RegKey& other) const {
        return path == other.path && deletion == other.deletion && values == other.values;
    }
};

struct RegFile {
    std::vector<RegKey> keys;
    bool operator==(const RegFile& other) const = default;
};

// ---- Reading ----------------------------------------------------------------------------------

// Larger files are refused before their content is read.
constexpr std::size_t kMaxRegFileBytes = 4 * 1024 * 1024;
// Reading keeps this many bad lines; one more error (of line 0) then says how many more there are.
constexpr std::size_t kMaxRegFileErrors = 20;

// One thing wrong with a file: a bad line (line > 0), or the file as a whole (line 0: not a
// registry file, too large, cannot be read; status then holds the Win32 status, if any).
struct RegFileError {
    int line = 0;
    std::wstring message;  // plain English, without the line number
    DWORD status = ERROR_SUCCESS;
    // "line 7: a value outside any key", or the message alone for the file as a whole.
    std::wstring Text() const;
};

struct RegFileReadResult {
    RegFile file;                      // what the good lines hold; not to be used when there are errors
    std::vector<RegFileError> errors;  // in the order of the lines, at most kMaxRegFileErrors and one more
    bool ok() const { return errors.empty(); }
    // Every error's text, one a line.
    std::wstring ErrorText() const;
};

// Each error's text, one a line: at most kMaxRegFileErrors bad lines, then one line that says how
// many more there are (the errors of a file's buttons are as many as its buttons).
std::vector<std::wstring> RegFileErrorLines(const std::vector<RegFileError>& errors);

// Parses the file's bytes, as they are stored.
RegFileReadResult ParseRegFile(std::string_view bytes);
// Reads and parses the file at path.
RegFileReadResult ReadRegFile(const std::wstring& path);

// ---- Writing ----------------------------------------------------------------------------------

// The file's text, without the byte-order mark: the header, then each comment as a "; " line (a
// comment with line breaks gives several), a blank line, then each key and its values followed by
// a blank line. Texts with line breaks or nulls are written as hex(1) / hex(2) values, which
// keep them; key paths and value names must not hold line breaks (WriteRegFile refuses them).
std::wstring RegFileText(const RegFile& file, const std::vector<std::wstring>& comments = {});
// The file as stored: UTF-16 LE with a byte-order mark.
std::string RegFileBytes(const RegFile& file, const std::vector<std::wstring>& comments = {});

// The step of a write that refused, by name. None: the file was written.
enum class RegFileWriteRefusal {
    None,
    LineBreakInName,  // a key path or value name holds a line break
    NotAFilePath,     // the path names no file
    ReadOnlyFile,     // the file there is read-only
    NoTemporaryFile,  // no temporary file could be made in the file's folder
    TemporaryNotWritten,
    NotPutInPlace,  // the temporary file could not replace the file
};

// What a write of a file came to: ok() (and true) when the file was written; otherwise the step
// that refused, the Win32 status and a sentence naming the step and the file.
struct [[nodiscard]] RegFileWriteResult {
    RegFileWriteRefusal refusal = RegFileWriteRefusal::None;
    DWORD status = ERROR_SUCCESS;
    std::wstring message;
    bool ok() const { return refusal == RegFileWriteRefusal::None; }
    explicit operator bool() const { return ok(); }
};

// Writes the file to path through a temporary file in the same folder that then replaces path,
// so that a failure leaves path as it was (or absent) and no temporary file behind. A read-only
// file at path is not replaced.
RegFileWriteResult WriteRegFile(const std::wstring& path, const RegFile& file,
                                const std::vector<std::wstring>& comments = {});

// ---- Key paths --------------------------------------------------------------------------------

// The root named at the start of a key path (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
// HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_CURRENT_CONFIG, compared without regard to case) and the rest
// of the path below it; nothing when the path starts with no such root.
std::optional<std::pair<HKEY, std::wstring>> SplitKeyPath(std::wstring_view path);

}  // namespace velmora
