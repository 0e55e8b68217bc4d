#include "transfer/transfer_paths.h"

#include <algorithm>

namespace velmora {

std::wstring TransferFilesFolder(const std::wstring& regFile) {
    std::wstring path = regFile;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const size_t nameStart = path.find_last_of(L'\\') + 1;
    const size_t dot = path.find_last_of(L'.');
    const std::wstring base = dot != std::wstring::npos && dot > nameStart ? path.substr(0, dot) : path;
    return base + L" files\\";
}

}  // namespace velmora
