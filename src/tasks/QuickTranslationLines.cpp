#include "tasks/QuickTranslationLines.h"

#include <utility>

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

void LineTranslation::TranslateNext(const LineTranslator& translate) {
  if (Done()) return;
  const TextLine& line = lines_[next_];
  // Appended only once the kernel has answered: a failure leaves the lines done as they were.
  result_ += translate(std::wstring(line.text));
  if (line.endsWithLineFeed) result_ += L"\r\n";
  ++next_;
}

std::wstring TranslateLines(std::wstring_view source, const LineTranslator& translate) {
  LineTranslation translation{std::wstring(source)};
  while (!translation.Done()) translation.TranslateNext(translate);
  return translation.Result();
}

std::wstring ProgressText(std::wstring_view pattern, size_t done, size_t total) {
  std::wstring text;
  text.reserve(pattern.size() + 16);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L'1' || pattern[i + 1] == L'2')) {
      text += std::to_wstring(pattern[i + 1] == L'1' ? done : total);
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace tasks
