// The tips file of the tip of the day: one tip per line, in file order, empty lines included.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace velmora {

// How much of a tips file is read. A tips file holds a few kilobytes; of a larger one, the
// tips are those of its first kTipsReadLimit bytes.
inline constexpr size_t kTipsReadLimit = size_t{1} << 20;

// Reads the tips file at path into tips (replacing what it held) and answers true; answers
// false, leaving tips as it was, for an empty path, a missing file and a file that cannot be
// read. The text is UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order mark;
// a file without a mark that is not valid UTF-8 is read in the ANSI code page. A line ends at
// CR, CR LF or LF; a last line without a line end is a tip too. Of a file longer than
// kTipsReadLimit only that many bytes are read, and the line they cut off is left out; when
// they hold no line end at all, they are one tip, up to its last whole character.
bool ReadTipsFile(const std::wstring& path, std::vector<std::wstring>& tips);

// A tip number from 1 to count, each equally likely: the whole part of r x count + 1 for a
// uniform r in [0, 1) drawn from generator.
int RandomTipNumber(std::mt19937_64& generator, int count);

}  // namespace velmora
