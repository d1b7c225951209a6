// The invariants of the generated art, checked on the files as written.
#pragma once

#include <string>
#include <vector>

namespace skin {

// Returns one line per violation; empty when everything holds for the pictures drawn for `dpi`:
// - every bitmap of the catalogue exists as a 24-bit file of its declared size scaled to `dpi`
//   (skinscale::Px of each side), and its resource ID
//   and file name are used once; its PNG (what the program loads) decodes to exactly the same pixels;
// - a keyed bitmap has magenta exactly at its declared corners, an opaque one has none at all;
// - no pixel is near magenta without being exactly magenta (it would show as a pink fringe, or be
//   taken for transparent by a tolerant blitter);
// - each list icon holds its sizes at `dpi` at 32 bits, and at 96 DPI the program icon its sizes.
std::vector<std::string> CheckFolder(const std::string& folder, int dpi = 96);

}  // namespace skin
