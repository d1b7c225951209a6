// The large surfaces: the main window's background and the two kinds of page laid on it.
#pragma once

#include "Image.h"

namespace skin {

// Each drawn for `dpi`; the pages take the window background of the same DPI.
Image DrawMainBackground(int dpi);
// The start page and the panels have rounded lower corners; since they are copied without a
// transparent colour, the corners carry the window background that lies under them.
Image DrawStartBackground(const Image& mainBackground, int dpi);
Image DrawPanelBackground(const Image& mainBackground, int dpi);

}  // namespace skin
