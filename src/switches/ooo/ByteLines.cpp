#include "switches/ooo/ByteLines.h"

namespace ooo {

std::vector<std::string_view> NonEmptyLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    // CR LF ends a line and leaves an empty one, which is dropped like every empty line.
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace ooo
