#include "mainwindow/open_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {

namespace {

// The longest path Windows accepts, with its terminating NUL.
constexpr DWORD kPathBuffer = 32768;

using GetFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// The dialogs' library is loaded the first time a dialog opens rather than at every start:
// with the printing libraries it brings along it is a good part of what a start would load.
GetFileNameFunction DialogEntry(const char* name) {
    static const HMODULE library = [] {
        wchar_t system[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return HMODULE(nullptr);
        return ::LoadLibraryW((std::wstring(system) + L"\\comdlg32.dll").c_str());
    }();
    return library ? reinterpret_cast<GetFileNameFunction>(::GetProcAddress(library, name)) : nullptr;
}

std::wstring TrimBlanks(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::wstring OpenDialogFilter(std::wstring filter) {
    if (filter.empty() || filter.back() != L'|') filter += L'|';
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter += L'\0';  // with the text's own terminator: the two NULs that end the list
    return filter;
}

std::wstring ShowOpenDialog(HWND owner, const std::wstring& filter, const std::wstring& title,
                            const std::wstring& initialFolder) {
    const std::wstring filterList = OpenDialogFilter(filter);
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    std::vector<wchar_t> fileTitle(kPathBuffer, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hInstance = ::GetModuleHandleW(nullptr);
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 0;  // the first filter
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathBuffer;
    dialog.lpstrFileTitle = fileTitle.data();
    dialog.nMaxFileTitle = kPathBuffer;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const GetFileNameFunction getOpenFileName = DialogEntry("GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&dialog)) return {};
    return TrimBlanks(file.data());
}

std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& title,
                            const std::wstring& initialFolder, const std::wstring& fileName) {
    const std::wstring filterList = OpenDialogFilter(filter);
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    fileName.copy(file.data(), std::min<size_t>(fileName.size(), kPathBuffer - 1));
    // The first pattern's extension, without "*.": added to a name typed without one.
    const size_t pattern = filter.find(L"|*.");
    const std::wstring extension =
        pattern == std::wstring::npos
            ? L""
            : filter.substr(pattern + 3, filter.find_first_of(L"|;", pattern + 3) - pattern - 3);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filterList.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathBuffer;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    const GetFileNameFunction getSaveFileName = DialogEntry("GetSaveFileNameW");
    if (!getSaveFileName || !getSaveFileName(&dialog)) return {};
    return TrimBlanks(file.data());
}

}  // namespace velmora
