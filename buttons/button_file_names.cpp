#include "buttons/button_file_names.h"

#include <windows.h>

#include <array>

namespace velmora {

namespace {

bool SameTextIgnoringCase(const std::wstring& first, const std::wstring& second) {
    return ::CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                  static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

bool IsForbiddenInFileName(wchar_t c) {
    if (c < 32) return true;
    switch (c) {
    case L'<': case L'>': case L':': case L'"': case L'/': case L'\\': case L'|': case L'?': case L'*':
        return true;
    default:
        return false;
    }
}

// Windows opens a device instead of a file for these names, whatever follows the first dot
// ("nul.txt" and "con.tar.gz" are devices too) and with blanks before that dot ("aux .txt").
bool IsDeviceName(const std::wstring& name) {
    static const std::array<const wchar_t*, 32> kDevices = {
        L"CON",  L"PRN",  L"AUX",  L"NUL",  L"CONIN$", L"CONOUT$",
        L"COM0", L"COM1", L"COM2", L"COM3", L"COM4",   L"COM5", L"COM6", L"COM7", L"COM8", L"COM9",
        L"LPT0", L"LPT1", L"LPT2", L"LPT3", L"LPT4",   L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9",
        L"COM\u00B9", L"COM\u00B2", L"COM\u00B3", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3"};
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (const wchar_t* device : kDevices) {
        if (SameTextIgnoringCase(stem, device)) return true;
    }
    return false;
}

// Cuts to the longest name allowed, never between the two halves of a surrogate pair.
void CutToMaxLength(std::wstring& name) {
    if (name.size() <= kMaxButtonFileBaseName) return;
    size_t length = kMaxButtonFileBaseName;
    if (IS_HIGH_SURROGATE(name[length - 1])) --length;
    name.resize(length);
}

// Windows drops trailing dots and blanks from a file name; keeping them visible as "_" keeps the
// name the program saves the same as the one it later looks for.
void ReplaceTrailingDotsAndBlanks(std::wstring& name) {
    for (size_t i = name.size(); i-- > 0 && (name[i] == L'.' || name[i] == L' ');) name[i] = L'_';
}

bool IsLibraryIconName(const std::wstring& fileName) {
    for (int n = 1; n <= 25; ++n) {
        const std::wstring number = std::to_wstring(n);
        if (SameTextIgnoringCase(fileName, number + L".ico") || SameTextIgnoringCase(fileName, number + L"gr.ico")) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring SafeFileBaseName(const std::wstring& baseName) {
    std::wstring safe = baseName;
    for (wchar_t& c : safe) {
        if (IsForbiddenInFileName(c)) c = L'_';
    }
    CutToMaxLength(safe);
    ReplaceTrailingDotsAndBlanks(safe);
    if (safe.empty()) return L"_";
    if (IsDeviceName(safe)) {
        safe.insert(safe.begin(), L'_');
        CutToMaxLength(safe);
        ReplaceTrailingDotsAndBlanks(safe);
    }
    return safe;
}

std::wstring ChooseButtonFilePath(const std::wstring& folder, const std::wstring& baseName,
                                  const std::wstring& extension,
                                  const std::vector<std::wstring>& filesOfOtherButtons) {
    const std::wstring safe = SafeFileBaseName(baseName);
    const bool iconFile = SameTextIgnoringCase(extension, L".ico");
    auto isFree = [&](const std::wstring& fileName) {
        if (iconFile && IsLibraryIconName(fileName)) return false;
        const std::wstring path = folder + fileName;
        for (const std::wstring& used : filesOfOtherButtons) {
            if (SameTextIgnoringCase(path, used)) return false;
        }
        return true;
    };

    // Every other button rules out at most one name, so a free one turns up within
    // filesOfOtherButtons.size() + 2 tries (one more for the library icon of the same name).
    std::wstring fileName = safe + extension;
    for (size_t number = 2; !isFree(fileName); ++number) {
        fileName = safe + L" (" + std::to_wstring(number) + L")" + extension;
    }
    return folder + fileName;
}

}  // namespace velmora
