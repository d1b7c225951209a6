// The icons of the start centre's lists: commands of the translation tabs and the programs of
// the suite. Each is a rounded blue tile, like the program icon, carrying a white glyph, at 16
// and 32 pixels, 32-bit with alpha.
#pragma once

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
// The sizes of every list icon, smallest first; the program loads the 32-pixel image.
std::span<const int> ListIconSizes();
std::vector<Image> DrawListIcon(const ListIcon& entry);

}  // namespace skin
