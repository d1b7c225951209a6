// The resource script that lists the generated files under their resource IDs.
#pragma once

#include <string>

namespace skin {

// `folder` is where the files are; the script names them by absolute path so it compiles from
// anywhere.
std::string MakeResourceScript(const std::string& folder);

// The script of the pictures drawn for `dpi` (not the design's), for the scaled skin library: the
// bitmaps as type "PNG<percent>" and the list icons as whole icon files of type "ICO<percent>",
// under the same IDs as the program's own ("PNG150", "ICO150" at 144 DPI).
std::string MakeScaledResourceScript(const std::string& folder, int dpi);

}  // namespace skin
