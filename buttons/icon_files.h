// Icons of buttons: pictures taken from programs and icon files, the small icon the editor holds,
// icon files saved from a picture, and the copy of an icon file chosen on disk.
#pragma once

#include "common/unique_handles.h"

#include <windows.h>

#include <string>

namespace velmora {

// The icon number iconNumber of a program, library icon or ".ico" file, at the system's large
// (32 x 32 at normal DPI) or small (16 x 16) size; empty when the file yields no icon (also for
// missing files, URLs, documents and paths longer than kMaxShellPath). The caller owns the handle.
UniqueHicon ProgramIconPicture(const std::wstring& file, int iconNumber, bool large);

// The pictures "Use Program Icon" takes for a file: its own icon, or else the icon of the program
// that opens it (a document), at the small and the large size. Both empty when neither has one.
struct ProgramIcons {
    UniqueHicon small;
    UniqueHicon large;
};
ProgramIcons TakeProgramIcons(const std::wstring& file);

// A picture box holding one icon (the editor's hidden small icon "picico").
class IconHolder {
public:
    HICON get() const { return icon_.get(); }
    bool empty() const { return !icon_; }
    void Set(UniqueHicon icon) { icon_ = std::move(icon); }
    void Clear() { icon_.reset(); }

private:
    UniqueHicon icon_;
};

// The small icon of the file, or else of the program associated with it: the picture a list row
// shows for a program or disk icon. Empty when neither has one.
UniqueHicon FileIconPicture(const std::wstring& path);

// Puts the small icon of the file, or else of the program associated with it, into picico.
// Answers 1 when the file has no icon and no program is associated with it (picico unchanged),
// 0 otherwise (picico then holds the icon taken, or no picture when the program has none).
int LoadFileIcon(const std::wstring& path, IconHolder& picico);

// Saves an icon as an ".ico" file (32-bit colour with its mask, at the icon's own size),
// replacing a file of that name. An icon without alpha gets its alpha from its mask. False, with
// nothing written, for no icon, a missing folder or a read-only file.
bool SaveIconFile(HICON icon, const std::wstring& path);

// Whether two paths name the same file (also through different spellings of the path: case,
// "." and ".." segments, short names, hard links). Paths of missing files are compared by their
// full path, ignoring case.
bool IsSameFile(const std::wstring& first, const std::wstring& second);

// Copies the chosen ".ico" file (the text before any NUL) to target, replacing what is there,
// unless both name the same file (then nothing happens). Failures are ignored; answers whether
// target now holds the chosen file.
bool CopyDiskIconFile(const std::wstring& chosen, const std::wstring& target);

}  // namespace velmora
