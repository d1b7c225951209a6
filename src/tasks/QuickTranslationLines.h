// The quick translation's text, taken line by line: the kernel translates one line at a time, and
// the translation keeps the source's line breaks. Portable: no windows.h.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tasks {

struct TextLine {
  std::wstring_view text;  // without its line break
  bool endsWithLineFeed = false;
};

// The lines of `source`, split at every line feed. A carriage return right before a line feed
// belongs to the line break; any other character before it (a bare "\n" break) stays in the line.
// The text after the last line feed is a line only when it is not empty.
[[nodiscard]] std::vector<TextLine> SplitLines(std::wstring_view source);

// Every line of `source` translated by `translate`, in order, each one that ended in a line feed
// followed by CR LF. An empty line is translated too. Whatever `translate` throws leaves here.
[[nodiscard]] std::wstring TranslateLines(std::wstring_view source,
                                          const std::function<std::wstring(const std::wstring&)>& translate);

}  // namespace tasks
