// The icons of the start centre's lists: commands of the translation tabs and the programs of
// the suite. Each is a rounded blue tile, like the program icon, carrying a white glyph, at 16
// and 32 pixels, 32-bit with alpha.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "IconGlyphs.h"
#include "Image.h"

namespace skin {

struct ListIcon {
  int id;
  const char* file;  // without extension
  const char* role;
  icon::Glyph (*glyph)(const icon::Frame&);
};

std::span<const ListIcon> ListIcons();
// The sizes of every list icon at `dpi`, smallest first: the design's 16 and 32 pixels scaled. The
// program loads the larger image.
std::array<int, 2> ListIconSizes(int dpi = 96);
// One image per size of ListIconSizes(dpi). Each is drawn for its own pixel size, so an icon is as
// crisp at 20 or 56 pixels as at 16 or 32.
std::vector<Image> DrawListIcon(const ListIcon& entry, int dpi = 96);

}  // namespace skin
