#include "switches/ooo/ByteLines.h"

namespace ooo {

std::vector<std::string_view> NonEmptyLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (lf == std::string_view::npos) {
      text = {};
    } else {
      text.remove_prefix(lf + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace ooo
