// A script command's report kept as text, one "\n" after each line.
#pragma once

#include "commandline/script_report.h"

namespace velmora::testing {

struct TextReport : ScriptReport {
    void Line(const std::wstring& line) override { text += line + L"\n"; }
    std::wstring text;
};

}  // namespace velmora::testing
