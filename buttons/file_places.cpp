#include "buttons/file_places.h"

#include "buttons/button_file_names.h"
#include "common/file_paths.h"
#include "common/unique_handles.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <memory>

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
    const UniqueFileHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
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
    const std::wstring& place = ForAllUsers(scope) ? (machineFolderSafe ? machineFolder : L"") : userFolder;
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
    // A machine's folder not there yet is made with an access list of its own when it is needed.
    places.machineFolderSafe = places.machineFolder.empty() || !FolderExists(places.machineFolder) ||
                               IsAdministratorsFolder(places.machineFolder);
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

namespace {

// Administrators and the system may do anything, users read and list, and nothing is taken over
// from the folder above (%ProgramData% lets every user add files and folders).
constexpr const wchar_t* kMachineFolderAccess = L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};

bool MakeChain(const std::wstring& folder, std::vector<std::wstring>& made, const std::wstring& protectedFolder) {
    if (FolderExists(folder)) return true;
    // The folder above first: "C:\Users\u\AppData\Local\Velmora\icons\" needs "...\Velmora\".
    const size_t end = folder.find_last_of(L'\\', folder.size() >= 2 ? folder.size() - 2 : 0);
    if (end == std::wstring::npos || end < 2) return false;
    if (!MakeChain(folder.substr(0, end + 1), made, protectedFolder)) return false;
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, FALSE};
    std::unique_ptr<void, LocalFreer> descriptor;
    if (!protectedFolder.empty() && SamePathText(FullPath(folder), FullPath(protectedFolder))) {
        PSECURITY_DESCRIPTOR made = nullptr;
        // Without the owner where the user may not give it (not elevated), the access list alone.
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(kMachineFolderAccess, SDDL_REVISION_1, &made,
                                                                   nullptr)) {
            descriptor.reset(made);
            security.lpSecurityDescriptor = made;
        }
    }
    BOOL created = ::CreateDirectoryW(folder.c_str(), security.lpSecurityDescriptor ? &security : nullptr);
    if (!created && security.lpSecurityDescriptor && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        PSECURITY_DESCRIPTOR withoutOwner = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(kMachineFolderAccess + 4, SDDL_REVISION_1,
                                                                   &withoutOwner, nullptr)) {
            descriptor.reset(withoutOwner);
            security.lpSecurityDescriptor = withoutOwner;
            created = ::CreateDirectoryW(folder.c_str(), &security);
        }
    }
    if (!created) return FolderExists(folder);
    made.push_back(folder);
    return true;
}

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    return sid && ::IsWellKnownSid(sid, type);
}

bool IsAdministrator() {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(buffer);
    BOOL member = FALSE;
    return ::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, buffer, &size) &&
           ::CheckTokenMembership(nullptr, buffer, &member) && member;
}

bool IsCurrentUser(PSID sid) {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
    const UniqueKernelHandle token(opened);
    BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    return ::GetTokenInformation(token.get(), TokenUser, buffer, sizeof(buffer), &size) &&
           ::EqualSid(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, sid);
}

}  // namespace

bool MakeFolderChain(const std::wstring& folder, std::vector<std::wstring>& made) {
    return MakeChain(folder, made, L"");
}

bool MakeFolderChain(const std::wstring& folder, std::vector<std::wstring>& made, const FilePlaces& places) {
    return MakeChain(folder, made, places.machineFolder);
}

bool IsAdministratorsFolder(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return false;
    }
    PSID owner = nullptr;
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR read = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                &owner, nullptr, &access, nullptr, &read) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> descriptor(read);
    auto trusted = [](PSID sid) {
        return IsWellKnown(sid, WinBuiltinAdministratorsSid) || IsWellKnown(sid, WinLocalSystemSid);
    };
    if (!trusted(owner) && !(IsCurrentUser(owner) && IsAdministrator())) return false;
    if (!access) return false;  // no access list: everyone may do everything
    constexpr ACCESS_MASK kChanges = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                                     FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                     GENERIC_ALL;
    for (DWORD index = 0; index < access->AceCount; ++index) {
        ACE_HEADER* header = nullptr;
        if (!::GetAce(access, index, reinterpret_cast<void**>(&header))) return false;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) continue;
        const auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kChanges) && !trusted(sid) && !(sid == owner || ::EqualSid(sid, owner))) return false;
    }
    return true;
}

bool RecycleFile(const std::wstring& path) {
    // The shell's file operation takes a list ended by an empty name.
    std::wstring from = path;
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NO_UI;
    if (::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted && !FileExists(path)) return true;
    return ::DeleteFileW(path.c_str()) || !FileExists(path);
}

}  // namespace velmora
