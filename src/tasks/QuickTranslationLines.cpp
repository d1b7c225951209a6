#include "tasks/QuickTranslationLines.h"

namespace tasks {

std::vector<TextLine> SplitLines(std::wstring_view source) {
  std::vector<TextLine> lines;
  while (!source.empty()) {
    const size_t feed = source.find(L'\n');
    if (feed == std::wstring_view::npos) {
      lines.push_back({source, false});
      break;
    }
    std::wstring_view line = source.substr(0, feed);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.push_back({line, true});
    source.remove_prefix(feed + 1);
  }
  return lines;
}

std::wstring TranslateLines(std::wstring_view source,
                            const std::function<std::wstring(const std::wstring&)>& translate) {
  std::wstring result;
  for (const TextLine& line : SplitLines(source)) {
    result += translate(std::wstring(line.text));
    if (line.endsWithLineFeed) result += L"\r\n";
  }
  return result;
}

}  // namespace tasks
