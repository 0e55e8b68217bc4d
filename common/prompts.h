// Every message box the programs show goes through this interface: the real programs show
// real message boxes, tests answer from a script and record what was asked. (The editor asks
// more of the user through mainwindow/editor_prompts.h.)
#pragma once

#include "texts/shared_texts.h"
#include <windows.h>

#include <string>

namespace velmora {

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a message with the MB_* buttons and icon in style; answers IDOK, IDYES, IDNO, ...
    virtual int Message(const std::wstring& text, const std::wstring& title, UINT style) = 0;
};

// Message boxes owned by a window (or by none).
class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    int Message(const std::wstring& text, const std::wstring& title, UINT style) override;

private:
    HWND owner_;
};

}  // namespace velmora
