#include "buttons/button_file_names.h"

#include "buttons/file_places.h"
#include "buttons/icon_files.h"
#include "common/file_paths.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace velmora {

namespace {

bool IsForbiddenInFileName(wchar_t c) {
    if (c < 32) return true;
    switch (c) {
    case L'<':
    case L'>':
    case L':':
    case L'"':
    case L'/':
    case L'\\':
    case L'|':
    case L'?':
    case L'*':
        return true;
    default:
        return false;
    }
}

// Windows opens a device instead of a file for these names, whatever follows the first dot
// ("nul.txt" and "con.tar.gz" are devices too) and with blanks before that dot ("aux .txt").
bool IsDeviceName(const std::wstring& name) {
    static const std::array<const wchar_t*, 32> kDevices = {
        L"CON",  L"PRN",  L"AUX",       L"NUL",       L"CONIN$",    L"CONOUT$",   L"COM0",      L"COM1",
        L"COM2", L"COM3", L"COM4",      L"COM5",      L"COM6",      L"COM7",      L"COM8",      L"COM9",
        L"LPT0", L"LPT1", L"LPT2",      L"LPT3",      L"LPT4",      L"LPT5",      L"LPT6",      L"LPT7",
        L"LPT8", L"LPT9", L"COM\u00B9", L"COM\u00B2", L"COM\u00B3", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3"};
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (const wchar_t* device : kDevices) {
        if (SamePathText(stem, device)) return true;
    }
    return false;
}

std::wstring NumberSuffix(size_t number) {
    return L" (" + std::to_wstring(number) + L")";
}

}  // namespace

std::wstring SafeFileBaseName(const std::wstring& baseName) {
    std::wstring safe = baseName;
    for (wchar_t& c : safe) {
        if (IsForbiddenInFileName(c)) c = L'_';
    }
    if (IsDeviceName(safe)) safe.insert(safe.begin(), L'_');
    return safe;
}

std::wstring ButtonFilePath(const std::wstring& folder, const std::wstring& safeBaseName, const std::wstring& suffix,
                            const std::wstring& extension) {
    std::wstring name = safeBaseName;
    const size_t fixed = folder.size() + suffix.size() + extension.size();
    const size_t room = fixed < kMaxShellPath ? kMaxShellPath - fixed : 0;
    if (name.size() > room) {
        // A cut "console" would open the device CON; a leading "_" keeps it a file.
        auto cut = [room](std::wstring& text) {
            size_t length = room;
            if (length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
            text.resize(length);
        };
        cut(name);
        if (IsDeviceName(name)) {
            name.insert(name.begin(), L'_');
            cut(name);
        }
    }
    return folder + name + suffix + extension;
}

std::wstring ChooseButtonFilePath(const std::wstring& folder, const std::wstring& baseName,
                                  const std::wstring& extension, const std::vector<std::wstring>& filesOfOtherButtons) {
    const std::wstring safe = SafeFileBaseName(baseName);
    const bool iconFile = SamePathText(extension, L".ico");
    auto isFree = [&](const std::wstring& path) {
        if (iconFile && IsLibraryIconName(path.substr(folder.size()))) return false;
        for (const std::wstring& used : filesOfOtherButtons) {
            if (SamePathText(path, used)) return false;
        }
        // A file that is there may be one a button names by another spelling of the folder (a
        // mapped drive and its network path, a short name, a junction): judged by the file itself.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        for (const std::wstring& used : filesOfOtherButtons) {
            if (IsSameFile(path, used)) return false;
        }
        return true;
    };

    // Every other button rules out at most one name, so a free one turns up within
    // filesOfOtherButtons.size() + 2 tries (one more for the library icon of the same name).
    std::wstring path = ButtonFilePath(folder, safe, L"", extension);
    for (size_t number = 2; !isFree(path); ++number) {
        path = ButtonFilePath(folder, safe, NumberSuffix(number), extension);
    }
    return path;
}

bool IsButtonFilePathFor(const std::wstring& path, const std::wstring& folder, const std::wstring& baseName,
                         const std::wstring& extension) {
    const std::wstring safe = SafeFileBaseName(baseName);
    if (SamePathText(path, ButtonFilePath(folder, safe, L"", extension))) return true;
    // A numbered name: " (n)" with n from 2, written without leading zeros, before the extension.
    const size_t end = path.size() - std::min(path.size(), extension.size() + 1);
    if (end == 0 || path[end] != L')') return false;
    const size_t open = path.rfind(L" (", end);
    if (open == std::wstring::npos || open + 2 >= end || path[open + 2] == L'0') return false;
    const std::wstring digits = path.substr(open + 2, end - open - 2);
    if (digits.size() > 9 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
    const int number = std::stoi(digits);
    return number >= 2 && SamePathText(path, ButtonFilePath(folder, safe, NumberSuffix(number), extension));
}

}  // namespace velmora
