// The shell behind its seam: answers every call with a chosen result and records the calls.
#pragma once

#include "common/shell_open.h"

#include <string>
#include <vector>

namespace velmora::testing {

class ScriptedShell : public ShellApi {
public:
    explicit ScriptedShell(INT_PTR answer) : answer(answer) {}
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& target) override {
        calls.push_back(verb + L" " + target);
        owners.push_back(owner);
        return answer;
    }
    INT_PTR answer;
    std::vector<std::wstring> calls;  // "verb target"
    std::vector<HWND> owners;
};

}  // namespace velmora::testing
