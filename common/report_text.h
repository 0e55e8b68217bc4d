// Texts that reports quote (captions, file names, paths, values read from a file or the registry)
// made safe to print, and reports of many lines kept to a screenful of each kind.
//
// A quoted text may hold anything a file or the registry holds: line breaks that would forge lines
// of the report, escape sequences that would move a terminal's cursor, megabytes of one value. It
// is shown with every control character as a visible escape and cut past a few hundred characters.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// A quoted text longer than this (as shown, escapes counted) is cut: room for any Windows path.
inline constexpr std::size_t kQuotedTextLimit = 260;
// The lines of one kind a report shows before one line that says how many more there are.
inline constexpr std::size_t kLinesPerKind = 20;

// The text with each control character shown as a visible escape: CR as \r, LF as \n, TAB as \t,
// the other C0 and C1 controls and DEL as \x1B, the line and paragraph separators and the
// direction marks and overrides as \u202E. Past limit characters the rest is cut and "..." ends it.
// Backslashes stay as they are: paths keep their look.
std::wstring PrintableText(std::wstring_view text, std::size_t limit = std::wstring_view::npos);

// The text in double quotes, printable and cut past kQuotedTextLimit characters: how a report
// quotes a caption, a file name, a path or a value.
std::wstring QuotedForReport(std::wstring_view text);

// "... and 4,981 more like these.": the line after the lines of a kind that a report shows.
std::wstring MoreLikeThese(std::size_t more);

// The lines of a report, gathered with their kinds (any text that tells the kinds apart): at most
// perKind lines of each kind are kept, in the order they came, and after the last one kept of a
// kind that had more, one line says how many more (indented as that line).
class BoundedLines {
public:
    explicit BoundedLines(std::size_t perKind = kLinesPerKind) : perKind_(perKind) {}
    void Add(const std::wstring& kind, std::wstring line);
    std::vector<std::wstring> Lines() const;

private:
    std::size_t perKind_;
    std::map<std::wstring, std::size_t> counts_;
    std::vector<std::pair<std::wstring, std::wstring>> kept_;  // kind and line
};

}  // namespace velmora
