// The quick translation's text, taken line by line: the kernel translates one line at a time, and
// the translation keeps the source's line breaks. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tasks {

struct TextLine {
  std::wstring_view text;  // without its line break
  bool endsWithLineFeed = false;
};

using LineTranslator = std::function<std::wstring(const std::wstring&)>;

// The lines of `source`, split at every line feed. A carriage return right before a line feed
// belongs to the line break; any other character before it (a bare "\n" break) stays in the line.
// The text after the last line feed is a line only when it is not empty.
[[nodiscard]] std::vector<TextLine> SplitLines(std::wstring_view source);

// A text translated a line at a time, so that the window can go on answering between the lines.
// What is done so far is always whole lines, each followed by the break the whole result gives it.
class LineTranslation {
 public:
  explicit LineTranslation(std::wstring source) : source_(std::move(source)), lines_(SplitLines(source_)) {}
  // The lines point into the text held here.
  LineTranslation(const LineTranslation&) = delete;
  LineTranslation& operator=(const LineTranslation&) = delete;

  [[nodiscard]] size_t LineCount() const noexcept { return lines_.size(); }
  [[nodiscard]] size_t LinesDone() const noexcept { return next_; }
  [[nodiscard]] bool Done() const noexcept { return next_ == lines_.size(); }
  // Translates the next line, an empty one too, and appends it with its break (a line that ended in
  // a line feed is followed by CR LF). Whatever `translate` throws leaves here, and the line is then
  // not done.
  void TranslateNext(const LineTranslator& translate);
  // The lines done, in order.
  [[nodiscard]] const std::wstring& Result() const noexcept { return result_; }

 private:
  std::wstring source_;
  std::vector<TextLine> lines_;
  size_t next_ = 0;
  std::wstring result_;
};

// Every line of `source` translated by `translate`, in order, each one that ended in a line feed
// followed by CR LF. An empty line is translated too. Whatever `translate` throws leaves here.
[[nodiscard]] std::wstring TranslateLines(std::wstring_view source, const LineTranslator& translate);

// `pattern` with "%1" replaced by `done` and "%2" by `total`, in whichever order the language puts
// them; any other "%" stays as it is.
[[nodiscard]] std::wstring ProgressText(std::wstring_view pattern, size_t done, size_t total);

}  // namespace tasks
