// A compiled HTML help file (the ITSF container that HTML Help reads) with every stream stored
// uncompressed in content section 0 and one directory chunk: the pages, the #SYSTEM stream with the
// title and default topic, and the context map (#IVB with #STRINGS) through which a program opens a
// topic by its number. Portable: it runs on the build machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chm {

struct Page {
  std::string name;  // path inside the file, without the leading slash: "tab1.htm"
  std::string text;
};

struct Topic {
  std::uint32_t context;  // the number a program asks for (HH_HELP_CONTEXT)
  std::string page;       // one of the pages
};

struct HelpFile {
  std::string title;
  std::string defaultPage;
  std::uint32_t language = 0x0409;
  std::vector<Page> pages;
  std::vector<Topic> topics;
};

// The file's bytes; an empty result and `error` set when the description does not hold together
// (a topic or the default naming no page, a page twice, more than one chunk's worth of names).
[[nodiscard]] std::vector<std::uint8_t> Write(const HelpFile& help, std::string& error);

}  // namespace chm
