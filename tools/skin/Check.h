// The invariants of the generated art, checked on the files as written.
#pragma once

#include <string>
#include <vector>

namespace skin {

// Returns one line per violation; empty when everything holds:
// - every bitmap of the catalogue exists as a 24-bit file of its declared size, and its resource ID
//   and file name are used once; its PNG (what the program loads) decodes to exactly the same pixels;
// - a keyed bitmap has magenta exactly at its declared corners, an opaque one has none at all;
// - no pixel is near magenta without being exactly magenta (it would show as a pink fringe, or be
//   taken for transparent by a tolerant blitter);
// - the icon file holds the declared sizes at 32 bits.
std::vector<std::string> CheckFolder(const std::string& folder);

}  // namespace skin
