// The pictures of the start centre's HTML pages (the dictionaries page and the web-service page):
// the page background, the rules under the headings and between feature lines, a bullet, and the
// icons of the paragraphs and features, in the house style (the list icons' tiles and glyphs). They
// are PNG resources of every language library, type "PNG", named in the pages as "/png/<ID>".
#pragma once

#include <span>
#include <string>

#include "Image.h"

namespace skin {

struct PageImage {
  int id;
  const char* file;  // without extension
  const char* role;
  Image (*draw)();
};

std::span<const PageImage> PageImages();

// The resource script that lists the page pictures under their IDs, type "PNG"; paths absolute.
std::string MakePageScript(const std::string& folder);

}  // namespace skin
