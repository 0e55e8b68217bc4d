#include "buttons/shortcut_file.h"

#include "buttons/path_parts.h"
#include "common/unique_handles.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace velmora {

namespace {

// Texts a link holds may be longer than a path: the shell takes arguments of up to INFOTIPSIZE
// characters, so every text but the target is read into a buffer of that size.
constexpr int kTextBufferSize = INFOTIPSIZE + 1;

// Resolve flags: update the stored path and identifiers, never show a window (there is no owner
// window and a dialog would block the editor), and never search or track: the target may be a URL
// or a file that does not exist yet, and must not be swapped for some other file the shell finds.
const DWORD kResolveFlags = static_cast<DWORD>(SLR_UPDATE) | static_cast<DWORD>(SLR_NO_UI) |
                            static_cast<DWORD>(SLR_NOSEARCH) | static_cast<DWORD>(SLR_NOTRACK);

struct LinkObject {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
};

// A new shell link object with its file interface; both empty on failure.
LinkObject CreateLinkObject() {
    LinkObject object;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  object.link.put_void()))) {
        return {};
    }
    object.file = object.link.query<IPersistFile>();
    if (!object.file) return {};
    return object;
}

}  // namespace

bool CreateShortcutFile(const std::wstring& linkPath, const std::wstring& targetPath, const std::wstring& workingFolder,
                        const std::wstring& arguments, const std::wstring& iconFile, int iconNumber, int showCommand) {
    if (linkPath.empty() || targetPath.empty()) return false;
    for (const std::wstring* path : {&linkPath, &targetPath, &workingFolder, &iconFile}) {
        if (!FitsShellPath(*path)) return false;
    }

    // The caller may not have started COM on this thread; this balances whatever it starts.
    ComApartment apartment;
    LinkObject object = CreateLinkObject();
    if (!object.link) return false;
    IShellLinkW* link = object.link.get();

    if (FAILED(link->SetPath(targetPath.c_str()))) return false;
    if (!workingFolder.empty() && FAILED(link->SetWorkingDirectory(workingFolder.c_str()))) return false;
    if (!arguments.empty() && FAILED(link->SetArguments(arguments.c_str()))) return false;
    if (FAILED(link->SetDescription(kShortcutDescription))) return false;
    if (!iconFile.empty() && FAILED(link->SetIconLocation(iconFile.c_str(), iconNumber))) return false;
    if (FAILED(link->SetShowCmd(showCommand))) return false;

    // Resolving only refreshes what the link caches about an existing target. A URL or a file
    // that is not there yet cannot be resolved, and the shortcut is still wanted then, so the
    // answer is not checked.
    link->Resolve(nullptr, kResolveFlags);

    return SUCCEEDED(object.file->Save(linkPath.c_str(), FALSE));
}

bool ReadShortcutFile(const std::wstring& linkPath, ShortcutContents& contents) {
    if (linkPath.empty() || !FitsShellPath(linkPath)) return false;

    ComApartment apartment;
    LinkObject object = CreateLinkObject();
    if (!object.link) return false;
    if (FAILED(object.file->Load(linkPath.c_str(), STGM_READ))) return false;
    IShellLinkW* link = object.link.get();

    ShortcutContents read;
    std::wstring buffer(kTextBufferSize, L'\0');
    WIN32_FIND_DATAW findData = {};
    if (FAILED(link->GetPath(buffer.data(), MAX_PATH, &findData, SLGP_UNCPRIORITY))) return false;
    read.target = TextBeforeNul(buffer);

    buffer.assign(kTextBufferSize, L'\0');
    if (FAILED(link->GetWorkingDirectory(buffer.data(), kTextBufferSize))) return false;
    read.workingFolder = TextBeforeNul(buffer);

    buffer.assign(kTextBufferSize, L'\0');
    if (FAILED(link->GetArguments(buffer.data(), kTextBufferSize))) return false;
    read.arguments = TextBeforeNul(buffer);

    buffer.assign(kTextBufferSize, L'\0');
    int iconNumber = 0;
    if (FAILED(link->GetIconLocation(buffer.data(), kTextBufferSize, &iconNumber))) return false;
    read.iconFile = TextBeforeNul(buffer);
    read.iconNumber = iconNumber;

    int showCommand = 0;
    if (FAILED(link->GetShowCmd(&showCommand))) return false;
    read.showCommand = showCommand;

    contents = std::move(read);
    return true;
}

}  // namespace velmora
