#include "transfer/transfer_paths.h"

#include "buttons/stored_layout.h"
#include "common/file_paths.h"

#include <algorithm>
#include <utility>

namespace velmora {

std::wstring TransferFilesFolder(const std::wstring& regFile) {
    std::wstring path = regFile;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const size_t nameStart = path.find_last_of(L'\\') + 1;
    const size_t dot = path.find_last_of(L'.');
    const std::wstring base = dot != std::wstring::npos && dot > nameStart ? path.substr(0, dot) : path;
    return base + L" files\\";
}

TransferFileNames::TransferFileNames(const RegFile& file) {
    const std::pair<const wchar_t*, OwnFileKind> kinds[] = {
        {EntryValueName(&ToolbarEntry::icon), OwnFileKind::Icon},
        {EntryValueName(&ToolbarEntry::hotIcon), OwnFileKind::Icon},
        {RecordValueName(&ButtonRecord::iconFile), OwnFileKind::Icon},
        {RecordValueName(&ButtonRecord::link), OwnFileKind::Shortcut},
    };
    auto taken = [this](OwnFileKind kind, const std::wstring& name) {
        return std::any_of(named_.begin(), named_.end(),
                           [&](const Named& named) { return named.kind == kind && SamePathText(named.name, name); });
    };
    for (const RegKey& key : file.keys) {
        for (const RegValue& value : key.values) {
            if (value.deletion || value.type != REG_SZ || value.text.empty()) continue;
            for (const auto& valueKind : kinds) {
                const OwnFileKind kind = valueKind.second;
                if (!SamePathText(value.name, valueKind.first)) continue;
                const bool known = std::any_of(named_.begin(), named_.end(), [&](const Named& named) {
                    return named.kind == kind && SamePathText(named.path, value.text);
                });
                if (known) continue;
                const std::wstring name = NameOfPath(value.text);
                const size_t dot = name.find_last_of(L'.');
                const std::wstring base = dot == std::wstring::npos ? name : name.substr(0, dot);
                const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
                std::wstring free = name;
                for (int number = 2; taken(kind, free); ++number)
                    free = base + L" (" + std::to_wstring(number) + L")" + extension;
                named_.push_back({kind, value.text, free});
            }
        }
    }
}

bool TransferFileNames::NamesCopy(const std::wstring& name, OwnFileKind kind) const {
    return std::any_of(named_.begin(), named_.end(),
                       [&](const Named& named) { return named.kind == kind && SamePathText(named.name, name); });
}

std::wstring TransferFileNames::CopyName(const std::wstring& path, OwnFileKind kind) const {
    for (const Named& named : named_) {
        if (named.kind == kind && SamePathText(named.path, path)) return named.name;
    }
    return NameOfPath(path);
}

}  // namespace velmora
