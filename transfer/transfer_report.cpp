#include "transfer/transfer_report.h"

namespace velmora {

std::wstring TransferReport::Text() const {
    std::wstring text;
    for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
    return text;
}

UINT TransferReport::BoxIcon() const {
    return outcome == ExitCode::Done         ? MB_ICONINFORMATION
           : outcome == ExitCode::DoneInPart ? MB_ICONEXCLAMATION
                                             : MB_ICONSTOP;
}

int CollectingPrompts::Message(const std::wstring& text, const std::wstring& title, UINT style) {
    texts.push_back(text);
    switch (style & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

std::wstring CountOfButtons(size_t count) {
    return std::to_wstring(count) + (count == 1 ? L" button" : L" buttons");
}

}  // namespace velmora
