#include "buttons/path_parts.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <stdexcept>

namespace velmora {

std::wstring PathPart(const std::wstring& path, PathSelector selector) {
    std::wstring drive, folder, baseName, extension;
    std::wstring copy = path;
    if (copy.size() >= 2 && copy[1] == L':') {
        drive = copy.substr(0, 2);
        copy = copy.substr(2);
    }

    // Walk back from the last character: the last dot with something after it starts the
    // extension (a dot at the very end is dropped); the last backslash with something after it
    // ends the folder.
    bool stoppedAtBackslash = false;
    for (size_t i = copy.size(); i-- > 0;) {
        const wchar_t c = copy[i];
        if (c == L'.' && extension.empty()) {
            if (i + 1 < copy.size()) extension = copy.substr(i);
            copy.resize(i);
        } else if (c == L'\\' && i + 1 < copy.size()) {
            baseName = copy.substr(i + 1);
            copy.resize(i + 1);
            stoppedAtBackslash = true;
            break;
        }
    }
    if (stoppedAtBackslash) {
        folder = copy;
    } else {
        baseName = copy;
    }

    switch (selector) {
    case PathSelector::Drive:
        return drive;
    case PathSelector::Folder:
        return folder;
    case PathSelector::BaseName:
        return baseName;
    case PathSelector::Extension:
        return extension;
    }
    return {};
}

std::wstring PathPart(const std::wstring& path, int selector) {
    if (selector < 0 || selector > 3) throw std::invalid_argument("PathPart selector must be 0 to 3");
    return PathPart(path, static_cast<PathSelector>(selector));
}

std::wstring TextBeforeNul(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

bool FitsShellPath(const std::wstring& path) {
    return std::wcslen(path.c_str()) <= kMaxShellPath;
}

std::wstring FindAssociatedProgram(const std::wstring& document) {
    if (!FitsShellPath(document)) return {};
    // The answer buffer must hold MAX_PATH characters; only what it holds before the first NUL
    // counts, and only when the call succeeds (an answer of 32 or less is an error code, whatever
    // the buffer was left holding).
    wchar_t program[MAX_PATH + 1] = {};
    const INT_PTR answer = reinterpret_cast<INT_PTR>(::FindExecutableW(document.c_str(), L"", program));
    if (answer <= 32) return {};
    program[MAX_PATH] = L'\0';
    return TextBeforeNul(program);
}

}  // namespace velmora
