#include "buttons/file_places.h"

#include "buttons/button_file_names.h"
#include "common/file_paths.h"

#include <windows.h>

namespace velmora {

namespace {

constexpr const wchar_t* kIconsFolder = L"icons\\";
constexpr const wchar_t* kShortcutsFolder = L"shortcuts\\";
constexpr const wchar_t* kOwnSubfolders[] = {kIconsFolder, kShortcutsFolder};

// Whether the file the path opens lies directly in "icons\" or "shortcuts\" of place.
bool InPlace(const std::wstring& opened, const std::wstring& place) {
    if (place.empty()) return false;
    const std::wstring folder = FolderOfPath(opened);
    for (const wchar_t* subfolder : kOwnSubfolders) {
        if (SamePathText(folder, FullPath(place + subfolder))) return true;
    }
    return false;
}

// The folder an environment variable names, with "Velmora\" appended; empty when it is not set.
// Read from the environment, not asked of the shell: a check that must write nothing may call
// this too, and the shell may store the folders' paths in the registry as it resolves them.
std::wstring VelmoraFolderIn(const wchar_t* variable) {
    std::wstring folder(::GetEnvironmentVariableW(variable, nullptr, 0), L'\0');
    if (folder.empty()) return folder;
    folder.resize(::GetEnvironmentVariableW(variable, folder.data(), static_cast<DWORD>(folder.size())));
    if (folder.empty()) return folder;
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"Velmora\\";
}

// Whether a new file can be made in folder: one with a name no one else uses, deleted by the
// system when it is closed, so that nothing is left behind even if Velmora stops here.
bool CanMakeFileIn(const std::wstring& folder) {
    const std::wstring probe = folder + L"~vlm-write-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                               std::to_wstring(::GetTickCount64()) + L".tmp";
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

}  // namespace

std::wstring IconsFolderOf(const std::wstring& place) {
    return place + kIconsFolder;
}

std::wstring ShortcutsFolderOf(const std::wstring& place) {
    return place + kShortcutsFolder;
}

std::wstring LibraryIconFile(const std::wstring& programFolder, long long number) {
    return IconsFolderOf(programFolder) + std::to_wstring(number) + L"gr.ico";
}

std::wstring LibraryHotIconFile(const std::wstring& programFolder, long long number) {
    return IconsFolderOf(programFolder) + std::to_wstring(number) + L".ico";
}

long long LibraryNumberOrFirst(long long number) {
    return number >= 1 && number <= kLibraryIconCount ? number : 1;
}

int LibraryNumberOfPair(const std::wstring& icon, const std::wstring& hotIcon) {
    for (int number = 1; number <= kLibraryIconCount; ++number) {
        if (SamePathText(NameOfPath(icon), NameOfPath(LibraryIconFile(L"", number))) &&
            SamePathText(NameOfPath(hotIcon), NameOfPath(LibraryHotIconFile(L"", number)))) {
            return number;
        }
    }
    return 0;
}

bool IsLibraryIconName(const std::wstring& fileName) {
    for (int number = 1; number <= kLibraryIconCount; ++number) {
        if (SamePathText(fileName, NameOfPath(LibraryIconFile(L"", number))) ||
            SamePathText(fileName, NameOfPath(LibraryHotIconFile(L"", number)))) {
            return true;
        }
    }
    return false;
}

std::wstring FilePlaces::FolderFor(ButtonScope scope) const {
    const std::wstring& place = ForAllUsers(scope) ? machineFolder : userFolder;
    // Without the known folder the program's folder is tried, and what refuses is reported.
    return programFolderWritable || place.empty() ? programFolder : place;
}

std::vector<std::wstring> FilePlaces::OwnFolders() const {
    std::vector<std::wstring> folders{programFolder};
    for (const std::wstring& place : {userFolder, machineFolder}) {
        bool listed = place.empty();
        for (const std::wstring& folder : folders) listed = listed || SamePathText(folder, place);
        if (!listed) folders.push_back(place);
    }
    return folders;
}

bool FilePlaces::KeepsFileThere(const std::wstring& file, ButtonScope scope) const {
    const std::wstring opened = FullPath(file);
    const bool mine = InPlace(opened, programFolder) || InPlace(opened, FolderFor(scope));
    const bool otherPlace = InPlace(opened, ForAllUsers(scope) ? userFolder : machineFolder);
    return mine || !otherPlace;
}

FilePlaces OwnFilePlaces(const std::wstring& programFolder) {
    return {programFolder, VelmoraFolderIn(L"LOCALAPPDATA"), VelmoraFolderIn(L"ProgramData"), true};
}

FilePlaces FindFilePlaces(const std::wstring& programFolder) {
    FilePlaces places = OwnFilePlaces(programFolder);
    // The program's folder counts as writable when every folder that takes the files can take a
    // new one; a subfolder not there yet is made in the program's folder.
    places.programFolderWritable = CanMakeFileIn(programFolder);
    for (const wchar_t* subfolder : kOwnSubfolders) {
        const std::wstring folder = programFolder + subfolder;
        if (places.programFolderWritable && FolderExists(folder)) places.programFolderWritable = CanMakeFileIn(folder);
    }
    return places;
}

std::wstring FolderOfKind(const std::wstring& place, OwnFileKind kind) {
    return kind == OwnFileKind::Icon ? IconsFolderOf(place) : ShortcutsFolderOf(place);
}

std::optional<OwnFileKind> OwnFileKindOf(const FilePlaces& places, const std::wstring& path) {
    const std::wstring opened = FullPath(path);
    const std::wstring name = NameOfPath(opened);
    if (opened.empty() || name.find(L':') != std::wstring::npos || IsLibraryIconName(name)) return std::nullopt;
    const std::wstring folder = FolderOfPath(opened);
    for (const std::wstring& place : places.OwnFolders()) {
        if (place.empty()) continue;
        for (OwnFileKind kind : {OwnFileKind::Icon, OwnFileKind::Shortcut}) {
            if (!SamePathText(folder, FullPath(FolderOfKind(place, kind)))) continue;
            if (PassesThroughLink(opened, FullPath(place))) return std::nullopt;
            return kind;
        }
    }
    return std::nullopt;
}

bool IsOwnButtonFile(const FilePlaces& places, const std::wstring& path) {
    return OwnFileKindOf(places, path).has_value();
}

bool PassesThroughLink(const std::wstring& path, const std::wstring& stopAt) {
    std::wstring at = path;
    while (!at.empty() && at.back() == L'\\') at.pop_back();
    std::wstring stop = stopAt;
    while (!stop.empty() && stop.back() == L'\\') stop.pop_back();
    while (!at.empty()) {
        const DWORD attributes = ::GetFileAttributesW(at.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
        if (SamePathText(at, stop) || stop.empty()) return false;
        const size_t slash = at.find_last_of(L'\\');
        if (slash == std::wstring::npos || slash < 3) return false;
        at.resize(slash);
    }
    return false;
}

bool MakeFolderChain(const std::wstring& folder, std::vector<std::wstring>& made) {
    if (FolderExists(folder)) return true;
    // The folder above first: "C:\Users\u\AppData\Local\Velmora\icons\" needs "...\Velmora\".
    const size_t end = folder.find_last_of(L'\\', folder.size() >= 2 ? folder.size() - 2 : 0);
    if (end == std::wstring::npos || end < 2) return false;
    if (!MakeFolderChain(folder.substr(0, end + 1), made)) return false;
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) return FolderExists(folder);
    made.push_back(folder);
    return true;
}

}  // namespace velmora
