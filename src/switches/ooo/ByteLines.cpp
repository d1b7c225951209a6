#include "switches/ooo/ByteLines.h"

#include <algorithm>

namespace ooo {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    // A carriage return and a line feed end one line together.
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
  return lines;
}

std::vector<std::string_view> NonEmptyLines(std::string_view text) {
  std::vector<std::string_view> lines = Lines(text);
  std::erase_if(lines, [](std::string_view line) { return line.empty(); });
  return lines;
}

}  // namespace ooo
