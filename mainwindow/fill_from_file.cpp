#include "mainwindow/fill_from_file.h"

#include "buttons/path_parts.h"
#include "buttons/shortcut_file.h"
#include "common/file_paths.h"
#include "settings/preferences.h"

#include <shlwapi.h>

namespace velmora {

namespace {

using T = TextField;
using C = CheckField;

constexpr const wchar_t* kBlanks = L" \t";

bool IsBlank(const std::wstring& text) {
    return text.find_first_not_of(kBlanks) == std::wstring::npos;
}

std::wstring TrimBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The one path a command line names. One pair of enclosing double quotes is removed, and spaces
// never split it. A path holds no double quote, so a command line that still holds one names
// several files: the shell passes "C:\a b.exe" "C:\c.exe" (quoting only the paths that need it)
// for files dropped on the program's icon. The first of them is taken, as a drop takes the first
// file: the text before the first quote, or else the first quoted text. A text from which no path
// comes that way (a lone double quote) is used as it is.
std::wstring CommandLinePath(const std::wstring& commandLine) {
    const std::wstring text = TrimBlanks(commandLine);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        std::wstring inner = text.substr(1, text.size() - 2);
        if (inner.find(L'"') == std::wstring::npos) return inner;
    }
    const size_t open = text.find(L'"');
    if (open == std::wstring::npos) return text;
    std::wstring first = TrimBlanks(text.substr(0, open));
    if (first.empty()) {
        const size_t close = text.find(L'"', open + 1);
        first = text.substr(open + 1, close == std::wstring::npos ? std::wstring::npos : close - open - 1);
    }
    return IsBlank(first) ? text : first;
}

// What filling takes from one path.
struct FileFacts {
    bool shortcut = false;   // a readable ".lnk" (in any case) with a target
    std::wstring target;     // the shortcut's target
    std::wstring arguments;  // the shortcut's arguments; empty for any other file
    std::wstring name;       // the path's own file name without folder and extension
};

FileFacts Examine(const std::wstring& path) {
    FileFacts facts;
    ShortcutContents link;
    const bool read = ReadShortcutFile(path, link);
    const std::wstring extension = PathPart(path, PathSelector::Extension);
    // A shortcut that cannot be read, or that points at no file (a shell folder such as the
    // Control Panel), is filled as the file it is: the browser can start the shortcut itself.
    facts.shortcut = read && !link.target.empty() && SamePathText(extension, L".lnk");
    if (read) {
        facts.target = link.target;
        facts.arguments = link.arguments;
    }
    facts.name = PathPart(path, PathSelector::BaseName);
    return facts;
}

// The drag-and-drop notice comes before any field changes, unless the user turned it off.
void ShowDropNotice(EditorPrompts& prompts, CRegSettings& preferences) {
    if (NoticeWanted(preferences, Notice::DragAndDrop)) prompts.ShowNotice(Notice::DragAndDrop);
}

// The file to launch and "Derive from Filename": a shortcut gives its target and stops deriving
// (its own name is the better text); any other path is taken as it is and derives the texts.
void FillFileToLaunch(EditorFields& fields, const FileFacts& facts, const std::wstring& path) {
    if (facts.shortcut) {
        fields.SetText(T::Text1, facts.target);
    } else {
        fields.SetText(T::Text1, path);
        fields.SetCheck(C::Check3, 1);
    }
}

void FillTexts(EditorFields& fields, const std::wstring& name) {
    fields.SetText(T::Text2, name);
    fields.SetText(T::Text3, name);
    fields.SetText(T::Text4, name);
}

// "Use Program Icon" takes the icon of the new file: ticking the box runs its handler, and a box
// that is ticked already runs it once more. IconNoticeFlag is left alone, so the program-icon
// notice may come. A web address or a folder has no program icon: the icon chosen before stays
// (a ticked box goes unticked, showing it), and no message comes.
void TakeProgramIcon(EditorFields& fields) {
    const std::wstring& file = fields.Text(T::Text1);
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (::PathIsURLW(file.c_str()) ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))) {
        fields.SetCheck(C::Check1, 0);
    } else if (fields.Check(C::Check1) == 0) {
        fields.SetCheck(C::Check1, 1);
    } else {
        fields.Check1_Click();
    }
}

// A path typed in a console is relative to its current folder; the browser would take it as
// relative to its own. Anything but a full path (a drive and "\", or "\\") is made one; a web
// address, and a text that no path can be (with a character no file name holds), stay as they are.
std::wstring FullPathOf(const std::wstring& path) {
    const bool full =
        (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) || path.starts_with(L"\\\\");
    if (full || path.find_first_of(L"\"<>|*?") != std::wstring::npos || ::PathIsURLW(path.c_str())) return path;
    const std::wstring resolved = FullPath(path);
    return resolved.empty() ? path : resolved;
}

}  // namespace

bool DropOnEditor(EditorFields& fields, EditorPrompts& prompts, CRegSettings& preferences, const std::wstring& path) {
    if (IsBlank(path)) return false;
    ShowDropNotice(prompts, preferences);
    const FileFacts facts = Examine(path);
    FillFileToLaunch(fields, facts, path);
    if (facts.shortcut) {
        FillTexts(fields, facts.name);
        fields.SetCheck(C::Check3, 0);
    }
    TakeProgramIcon(fields);
    if (!facts.arguments.empty()) fields.SetText(T::Text5, facts.arguments);
    return true;
}

void FillFromFile(EditorFields& fields, EditorPrompts& prompts, CRegSettings& preferences,
                  const std::wstring& commandLine) {
    const std::wstring path = FullPathOf(CommandLinePath(commandLine));
    if (path.empty()) return;
    ShowDropNotice(prompts, preferences);
    const FileFacts facts = Examine(path);
    FillFileToLaunch(fields, facts, path);
    if (facts.shortcut) fields.SetCheck(C::Check3, 0);
    TakeProgramIcon(fields);
    fields.SetText(T::Text5, facts.arguments);
    FillTexts(fields, facts.name);
}

}  // namespace velmora
