#include "switches/ooo/OooMerge.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "switches/ooo/ByteLines.h"

namespace ooo {
namespace {

using Lines = std::vector<std::string_view>;

// The line without the blanks and tabs around it.
std::string_view Trimmed(std::string_view line) noexcept {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

Lines::const_iterator FindContaining(const Lines& lines, std::string_view marker) {
  return std::find_if(lines.begin(), lines.end(),
                      [marker](std::string_view l) { return Contains(l, marker); });
}

// Whether `line` ends a suite node: "   </node>", blanks after it aside. `more` tells that the
// line begins with that end and holds more besides.
bool EndsNode(std::string_view line, bool& more) noexcept {
  if (line.substr(0, kInnerNodeEnd.size()) != kInnerNodeEnd) return false;
  more = !Trimmed(line.substr(kInnerNodeEnd.size())).empty();
  return !more;
}

// Copies the lines of `file` but the nodes that start with a line holding one of `markers` and end
// with the next "   </node>" line. Those lines must hold the start or the end alone (blanks aside):
// anything else on them would go with the node, so the file is refused (no value).
std::optional<std::string> DropNodes(std::string_view file, std::span<const std::string_view> markers) {
  LineWriter out(kCrLf);
  Lines skipped;  // the open node's lines, written back when the node never ends
  bool skipping = false;
  for (std::string_view line : NonEmptyLines(file)) {
    const auto marker = std::find_if(markers.begin(), markers.end(),
                                     [line](std::string_view m) { return Contains(line, m); });
    if (marker != markers.end()) {
      if (Trimmed(line) != Trimmed(*marker)) return std::nullopt;
      skipping = true;
    }
    if (!skipping) {
      out.Write(line);
      continue;
    }
    skipped.push_back(line);
    bool more = false;
    if (EndsNode(line, more)) {
      skipping = false;
      skipped.clear();
    }
    if (more) return std::nullopt;
  }
  for (std::string_view line : skipped) out.Write(line);
  return out.Take();
}

// Whether `line` holds one start tag that begins with `marker` and nothing else, blanks aside:
// no other angle bracket, and not an empty element ("/>"), which would take nothing inside it.
// A UTF-8 byte order mark before the tag (a file's first line) is no content.
bool IsLoneStartTag(std::string_view line, std::string_view marker) noexcept {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (line.substr(0, kBom.size()) == kBom) line.remove_prefix(kBom.size());
  const std::string_view t = Trimmed(line);
  return t.size() > marker.size() && t.substr(0, marker.size()) == marker && t.back() == '>' &&
         t[t.size() - 2] != '/' && t.find_first_of("<>", 1) == t.size() - 1;
}

// Whether `line` holds one empty element ("<name .../>") and nothing else, blanks aside.
bool IsLoneEmptyElement(std::string_view line) noexcept {
  const std::string_view t = Trimmed(line);
  return t.size() >= 4 && t.front() == '<' && std::string_view("!?/").find(t[1]) == std::string_view::npos &&
         t.substr(t.size() - 2) == "/>" && t.find_first_of("<>", 1) == t.size() - 1;
}

// Copies the lines of `file` and writes `inserted` after each line that holds `marker`; no value
// when such a line is not `anchorAlone`.
template <class AnchorAlone>
std::optional<std::string> InsertAfter(std::string_view file, std::string_view marker,
                                       std::span<const std::string_view> inserted, AnchorAlone anchorAlone) {
  LineWriter out(kLf);
  for (std::string_view line : NonEmptyLines(file)) {
    out.Write(line);
    if (!Contains(line, marker)) continue;
    if (!anchorAlone(line)) return std::nullopt;
    for (std::string_view t : inserted) out.Write(t);
  }
  return out.Take();
}

// Copies the lines of `file` but those that hold `marker`, each of which must be a lone empty
// element; no value when one is not.
std::optional<std::string> DropLoneEntries(std::string_view file, std::string_view marker) {
  LineWriter out(kLf);
  for (std::string_view line : NonEmptyLines(file)) {
    if (!Contains(line, marker)) {
      out.Write(line);
    } else if (!IsLoneEmptyElement(line)) {
      return std::nullopt;
    }
  }
  return out.Take();
}

}  // namespace

bool HoldsSuiteNodes(std::string_view file) {
  const Lines lines = NonEmptyLines(file);
  return FindContaining(lines, kSuiteNodes[0]) != lines.end();
}

AddonsMerge EnableAddons(std::string_view file, std::string_view templ) {
  using Outcome = AddonsMerge::Outcome;
  const Lines lines = NonEmptyLines(file);
  if (FindContaining(lines, kSuiteNodes[0]) != lines.end()) return {Outcome::kAlreadyMerged, {}};

  std::array<bool, kAddonSections.size()> present{};
  std::array<std::string_view, kAddonSections.size()> anchors{};
  for (std::size_t s = 0; s < kAddonSections.size(); ++s) {
    present[s] = FindContaining(lines, kAddonSections[s]) != lines.end();
    anchors[s] = present[s] ? kAddonSections[s] : kAddonParent;
  }

  const Lines t = NonEmptyLines(templ);
  LineWriter out(kLf);
  for (std::string_view line : lines) {
    const auto anchor = std::find_if(anchors.begin(), anchors.end(),
                                     [line](std::string_view a) { return Contains(line, a); });
    const std::size_t s = static_cast<std::size_t>(anchor - anchors.begin());
    auto from = anchor == anchors.end() ? t.end() : FindContaining(t, kAddonSections[s]);
    if (from == t.end()) {  // no anchor, or a template without this section
      out.Write(line);
      continue;
    }
    if (Trimmed(line) != Trimmed(*anchor)) return {Outcome::kRefused, {}};
    if (!present[s]) out.Write(line);
    out.Write(*from);
    auto it = std::next(from);
    for (; it != t.end() && *it != kSectionEnd; ++it) out.Write(*it);
    if (!present[s] && it != t.end()) out.Write(*it);
  }
  std::string text = out.Take();
  if (!HoldsSuiteNodes(text)) return {Outcome::kRefused, {}};
  return {Outcome::kMerged, std::move(text)};
}

std::optional<std::string> DisableAddons(std::string_view file) {
  return DropNodes(file, kSuiteNodes);
}

std::optional<std::string> EnableWindowState(std::string_view file, std::string_view templ) {
  const Lines t = NonEmptyLines(templ);
  auto from = FindContaining(t, kWindowStateNode);
  auto to = std::find(from, t.end(), kInnerNodeEnd);
  if (to != t.end()) ++to;  // the closing line belongs to the node
  return InsertAfter(file, kWindowStateParent, std::span(from, to),
                     [](std::string_view line) { return Trimmed(line) == Trimmed(kWindowStateParent); });
}

std::optional<std::string> DisableWindowState(std::string_view file) {
  const std::string_view markers[] = {kWindowStateNode};
  return DropNodes(file, markers);
}

std::optional<std::string> EnableAccelerators(std::string_view file, std::string_view templ) {
  return InsertAfter(file, kAcceleratorList, NonEmptyLines(templ),
                     [](std::string_view line) { return IsLoneStartTag(line, kAcceleratorList); });
}

std::optional<std::string> DisableAccelerators(std::string_view file) {
  return DropLoneEntries(file, kSuiteAccelerator);
}

std::optional<std::string> EnableLibraries(std::string_view file, std::string_view templ) {
  return InsertAfter(file, kLibraryList, NonEmptyLines(templ),
                     [](std::string_view line) { return IsLoneStartTag(line, kLibraryList); });
}

std::optional<std::string> DisableLibraries(std::string_view file) {
  return DropLoneEntries(file, kSuiteLibrary);
}

}  // namespace ooo
