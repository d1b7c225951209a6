#pragma once
// Configuration files of OpenOffice.org profiles as byte lines: a line ends at a line feed, at a
// carriage return and line feed, or at a carriage return alone (a file saved with the old Mac line
// ends is no one-line file). A user's file keeps its empty lines, so that a file rewritten with its
// own line ends comes back byte for byte; the suite's templates lose theirs.
// Bytes are compared as they are (no case folding, no decoding), so NUL bytes, a UTF-8 byte order
// mark or invalid UTF-8 are kept like any other byte.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ooo {

// Every line of `text`, empty ones too, without their line ends. A last line without a line end
// counts; no line follows the last line end. XML reads a lone carriage return as a line end too, so
// splitting there changes no document.
std::vector<std::string_view> Lines(std::string_view text);
// The non-empty lines of `text`, as Lines.
std::vector<std::string_view> NonEmptyLines(std::string_view text);

[[nodiscard]] inline bool Contains(std::string_view line, std::string_view marker) noexcept {
  return line.find(marker) != std::string_view::npos;
}

// Collects output lines, each ended by the same line end.
class LineWriter {
 public:
  explicit LineWriter(std::string_view eol) : eol_(eol) {}

  void Write(std::string_view line) {
    text_.append(line);
    text_.append(eol_);
  }
  [[nodiscard]] std::string Take() { return std::move(text_); }

 private:
  std::string_view eol_;
  std::string text_;
};

inline constexpr std::string_view kLf = "\n";
inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace ooo
