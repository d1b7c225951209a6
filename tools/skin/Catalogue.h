// Every picture the program loads at start-up and in its main window: its resource ID, file name,
// declared size, where it is transparent, and what it is for.
#pragma once

#include <span>
#include <vector>

#include "Image.h"

namespace skin {

// Which corner pixels must be the transparent magenta (bit set) in a keyed bitmap.
enum Corner : unsigned { kTopLeft = 1, kTopRight = 2, kBottomRight = 4, kBottomLeft = 8, kAllCorners = 15 };

// The surfaces every other picture is drawn against, and the DPI all of them are drawn for.
struct Surfaces {
  int dpi = 96;
  Image main;
  Image start;
  Image panel;
};

struct Entry {
  int id;
  const char* file;  // without extension
  int width;         // at 96 DPI; drawn for another DPI, skinscale::Px of these
  int height;
  bool keyed;        // uses magenta as its transparent colour
  unsigned corners;  // Corner bits: corners that must be magenta
  const char* role;
  Image (*draw)(const Surfaces&);
};

std::span<const Entry> Bitmaps();

struct IconSpec {
  int id;
  const char* file;
  std::span<const int> sizes;
};
const IconSpec& ProgramIcon();
// One 32-bit image per size of the program icon, in the order of its sizes.
std::vector<Image> DrawIconImages();

Surfaces DrawSurfaces(int dpi);

}  // namespace skin
