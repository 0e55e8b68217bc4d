// Where a script command's report goes: lines of text, to standard output in the program and to a
// string in tests.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

#include <string>

namespace velmora {

class ScriptReport {
public:
    virtual ~ScriptReport() = default;
    // Writes one line of the report; a text holding line breaks writes several.
    virtual void Line(const std::wstring& text) = 0;
};

// The program's standard output. A redirection (file or pipe) gets UTF-8 without a byte order mark
// and CR LF line ends; a console gets the text as it is, through WriteConsoleW. A program without a
// standard output (as a windowed program started from a console is) writes to the console of the
// process that started it, when there is one, and else nowhere. Control characters other than the
// line ends are written as visible escapes (\x1B), so that no text moves the console's cursor.
class ConsoleReport : public ScriptReport {
public:
    ConsoleReport();
    // Writes to the handle given, which stays the caller's.
    explicit ConsoleReport(HANDLE output);
    ConsoleReport(const ConsoleReport&) = delete;
    ConsoleReport& operator=(const ConsoleReport&) = delete;
    ~ConsoleReport() override;

    void Line(const std::wstring& text) override;

private:
    HANDLE output_ = nullptr;
    bool console_ = false;
    UniqueFileHandle ownedOutput_;  // the console's output, when it was opened here
};

}  // namespace velmora
