// A contact sheet for looking at the art: two mock-ups of the main window (start page, and a tab
// with a list) composed from the bitmaps as the program lays them out, then every bitmap with
// its ID, and the list icons on a list row at 32 px, at 16 px, and enlarged. Written as a binary PPM, plus an
// ImageMagick draw script with the mock-ups' texts, so
//   convert sheet.ppm -draw "$(cat sheet.mvg)" sheet.png
// shows them with captions. Only for people; the build does not use it.
#pragma once

#include <string>
#include <vector>

#include "Catalogue.h"

namespace skin {

struct DrawnBitmap {
  const Entry* entry;
  Image image;
};

bool WriteContactSheet(const std::string& ppmPath, const std::string& mvgPath,
                       const std::vector<DrawnBitmap>& bitmaps, const std::vector<Image>& icons,
                       const std::vector<std::vector<Image>>& listIcons);

}  // namespace skin
