// A symbolic link to a folder, for tests of what must never be followed.
#pragma once

#include <string>

namespace velmora::testing {

// Makes link (a path that is not there yet) a symbolic link to the folder target: through
// CreateSymbolicLinkW where the system makes one, and under Wine, which answers that call without
// making anything, through the host's own "ln" and Wine's Unix names of the two paths. False when
// neither made a link.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);

}  // namespace velmora::testing
