// Answers message boxes from a script and records every one that was shown.
#pragma once

#include "common/prompts.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace velmora::testing {

struct ShownMessage {
    std::wstring text;
    std::wstring title;
    UINT style;
    UINT buttons() const { return style & MB_TYPEMASK; }
    UINT icon() const { return style & MB_ICONMASK; }
};

class ScriptedPrompts : public Prompts {
public:
    // The answers to give, in order (IDOK, IDYES, IDNO, IDCANCEL, ...).
    void Answer(int answer) { answers_.push_back(answer); }

    int Message(const std::wstring& text, const std::wstring& title, UINT style) override {
        shown.push_back({text, title, style});
        if (!answers_.empty()) {
            int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        if ((style & MB_TYPEMASK) == MB_OK) return IDOK;
        ADD_FAILURE() << "a message box that needs an answer was not scripted: " << ::testing::PrintToString(title);
        return (style & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL;
    }

    std::vector<ShownMessage> shown;

private:
    std::deque<int> answers_;
};

}  // namespace velmora::testing
