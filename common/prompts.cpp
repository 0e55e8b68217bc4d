#include "common/prompts.h"

namespace velmora {

int MessageBoxPrompts::Message(const std::wstring& text, const std::wstring& title, UINT style) {
    return ::MessageBoxW(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace velmora
