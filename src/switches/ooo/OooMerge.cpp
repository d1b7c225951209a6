#include "switches/ooo/OooMerge.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "switches/ooo/ByteLines.h"
#include "switches/ooo/ElementMerge.h"

namespace ooo {
namespace {

using LineList = std::vector<std::string_view>;

// The line without the blanks and tabs around it.
std::string_view Trimmed(std::string_view line) noexcept {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

LineList::const_iterator FindContaining(const LineList& lines, std::string_view marker) {
  return std::find_if(lines.begin(), lines.end(),
                      [marker](std::string_view l) { return Contains(l, marker); });
}

bool AnyContains(const LineList& lines, std::string_view marker) {
  return FindContaining(lines, marker) != lines.end();
}

std::string Joined(const LineList& lines, std::string_view eol) {
  LineWriter out(eol);
  for (std::string_view line : lines) out.Write(line);
  return out.Take();
}

// Whether `line` ends a suite node: "   </node>", blanks after it aside. `more` tells that the
// line begins with that end and holds more besides.
bool EndsNode(std::string_view line, bool& more) noexcept {
  if (line.substr(0, kInnerNodeEnd.size()) != kInnerNodeEnd) return false;
  more = !Trimmed(line.substr(kInnerNodeEnd.size())).empty();
  return !more;
}

// The lines of `file` but the nodes that start with a line holding one of `markers` and end with
// the next "   </node>" line (empty lines inside go with them). Those lines must hold the start or
// the end alone (blanks aside): anything else on them would go with the node, so the file is
// refused (no value).
std::optional<LineList> DropNodes(std::string_view file, std::span<const std::string_view> markers) {
  LineList kept;
  LineList skipped;  // the open node's lines, kept when the node never ends
  bool skipping = false;
  for (std::string_view line : Lines(file)) {
    const auto marker = std::find_if(markers.begin(), markers.end(),
                                     [line](std::string_view m) { return Contains(line, m); });
    if (marker != markers.end()) {
      if (Trimmed(line) != Trimmed(*marker)) return std::nullopt;
      skipping = true;
    }
    if (!skipping) {
      kept.push_back(line);
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
  kept.insert(kept.end(), skipped.begin(), skipped.end());
  return kept;
}

// `file` as it is when `kept` holds all of its lines (nothing to change: a file the user saved
// with other line ends keeps them), else `kept` written with `eol`.
std::string Rewritten(std::string_view file, const LineList& kept, std::string_view eol) {
  if (kept.size() == Lines(file).size()) return std::string(file);
  return Joined(kept, eol);
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
// when such a line is not `anchorAlone`. A file that takes nothing stays as it is.
template <class AnchorAlone>
std::optional<std::string> InsertAfter(std::string_view file, std::string_view marker,
                                       std::span<const std::string_view> inserted, AnchorAlone anchorAlone) {
  LineWriter out(kLf);
  bool changed = false;
  for (std::string_view line : Lines(file)) {
    out.Write(line);
    if (!Contains(line, marker)) continue;
    if (!anchorAlone(line)) return std::nullopt;
    for (std::string_view t : inserted) out.Write(t);
    changed = changed || !inserted.empty();
  }
  if (!changed) return std::string(file);
  return out.Take();
}

// Copies the lines of `file` but those that hold `marker`, each of which must be a lone empty
// element; no value when one is not.
std::optional<std::string> DropLoneEntries(std::string_view file, std::string_view marker) {
  LineList kept;
  for (std::string_view line : Lines(file)) {
    if (!Contains(line, marker)) {
      kept.push_back(line);
    } else if (!IsLoneEmptyElement(line)) {
      return std::nullopt;
    }
  }
  return Rewritten(file, kept, kLf);
}

// Whether `line` is the start line of one of the Addons.xcu sections alone, blanks aside.
bool IsLoneSectionStart(std::string_view line) noexcept {
  return std::any_of(kAddonSections.begin(), kAddonSections.end(),
                     [line](std::string_view s) { return Trimmed(line) == Trimmed(s); });
}

// Drops every section start line that its "  </node>" line follows at once. Switching on adds a
// section the file lacks; switching off cannot tell it from one the user kept empty, and an empty
// section of add-on items means nothing to OpenOffice.org, so both go.
void DropEmptySections(LineList& lines) {
  LineList kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i + 1 < lines.size() && lines[i + 1] == kSectionEnd && IsLoneSectionStart(lines[i])) {
      ++i;
      continue;
    }
    kept.push_back(lines[i]);
  }
  lines = std::move(kept);
}

// Whether the section that starts at `start` holds a suite node before its "  </node>" line.
bool HoldsSuiteNode(LineList::const_iterator start, LineList::const_iterator end) {
  for (auto it = std::next(start); it != end && *it != kSectionEnd; ++it)
    if (std::any_of(kSuiteNodes.begin(), kSuiteNodes.end(),
                    [it](std::string_view m) { return Contains(*it, m); }))
      return true;
  return false;
}

// The elements the markers name, for files the line merges cannot take.

// The value a marker gives after `key` (`name="`), up to the closing quote.
constexpr std::string_view QuotedAfter(std::string_view marker, std::string_view key) noexcept {
  const std::size_t from = marker.find(key) + key.size();
  return marker.substr(from, marker.find('"', from) - from);
}

constexpr element::Match NodeOf(std::string_view marker) noexcept {
  return {"node", "oor:name", QuotedAfter(marker, "oor:name=\"")};
}

template <std::size_t N>
constexpr std::array<element::Match, N> NodesOf(const std::array<std::string_view, N>& markers) noexcept {
  std::array<element::Match, N> matches{};
  std::transform(markers.begin(), markers.end(), matches.begin(), NodeOf);
  return matches;
}

constexpr std::array<element::Match, kSuiteNodes.size()> kSuiteNodeElements = NodesOf(kSuiteNodes);
constexpr std::array<element::Match, kAddonSections.size()> kSectionElements = NodesOf(kAddonSections);
constexpr element::Match kWindowStateElement = NodeOf(kWindowStateNode);
// An accelerator entry of the suite names its module in an attribute (the script's URL).
constexpr element::Match kSuiteAcceleratorElement = {{}, {}, kSuiteAccelerator};
constexpr element::Match kSuiteLibraryElement = {"library:library", "library:name",
                                                 QuotedAfter(kSuiteLibrary, "library:name=\"")};

// The element a start-tag marker ("<name ...") names, by its name alone.
constexpr element::Match ElementOf(std::string_view marker) noexcept {
  marker.remove_prefix(1);
  return {marker.substr(0, marker.find(' ')), {}, {}};
}

// What a switch-on gives when the line merge did not take the file (`byLines` is the file itself or
// no value): the lines as the first content of every element `anchor` finds, if the file is
// well-formed; else what the line merge gave. Lines that bring no `suite` element (a broken
// template) are refused: the file would not tell that it is merged, and take them again.
std::optional<std::string> InsertedByElements(std::string_view file, std::optional<std::string> byLines,
                                              const element::Match& anchor,
                                              const std::vector<std::string_view>& lines,
                                              const element::Match& suite) {
  if (byLines && *byLines != file) return byLines;
  const std::optional<element::Elements> elements = xml::Scan(file);
  if (!elements) return byLines;
  std::vector<element::Insertion> insertions;
  for (std::size_t i = 0; i < elements->size(); ++i)
    if (element::Matches((*elements)[i], anchor)) insertions.push_back({i, lines});
  std::optional<std::string> text = element::Inserted(file, *elements, insertions);
  if (text && *text != file && !element::Holds(*text, std::span(&suite, 1))) return std::nullopt;
  return text;
}

// What a switch-off gives: the line merge's result when it took every suite element out of a
// well-formed file (or the file is not well-formed: then it is all there is), else the file with
// those elements cut out by their offsets.
std::optional<std::string> CutByElements(std::string_view file, std::optional<std::string> byLines,
                                         std::span<const element::Match> suite,
                                         std::span<const element::Match> sections = {}) {
  if (!xml::Scan(file)) return byLines;
  if (byLines && xml::Scan(*byLines) && !element::Holds(*byLines, suite)) return byLines;
  return element::Cut(file, suite, sections);
}

// The template's sections in Addons.xcu and what the file needs of each.
struct Section {
  LineList::const_iterator from, to;  // the template's start line and closing line
  bool wanted = false;                // the template has it and the file's lacks suite nodes
  bool present = false;               // the file has the section
};
using Sections = std::array<Section, kAddonSections.size()>;

// The sections in the template's order.
std::array<std::size_t, kAddonSections.size()> TemplateOrder(const LineList& t, const Sections& sections) {
  std::array<std::size_t, kAddonSections.size()> order{0, 1, 2};
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::distance(t.begin(), sections[a].from) < std::distance(t.begin(), sections[b].from);
  });
  return order;
}

bool AnyWanted(const Sections& sections) {
  return std::any_of(sections.begin(), sections.end(), [](const Section& s) { return s.wanted; });
}

AddonsMerge EnableAddonsByLines(std::string_view file, const LineList& lines, const LineList& t,
                                const Sections& sections) {
  using Outcome = AddonsMerge::Outcome;
  if (!AnyWanted(sections)) return {HoldsSuiteNodes(file) ? Outcome::kAlreadyMerged : Outcome::kRefused, {}};
  const bool needsParent = std::any_of(sections.begin(), sections.end(),
                                       [&t](const Section& s) { return s.from != t.end() && !s.present; });

  // Sections the file lacks go after the parent line in the template's order.
  const auto order = TemplateOrder(t, sections);
  LineWriter out(kLf);
  bool parentDone = false;
  std::array<bool, kAddonSections.size()> done{};
  for (std::string_view line : lines) {
    // The user's own lines all stay as they are; the suite's come after the anchors.
    out.Write(line);
    bool sectionStart = false;
    for (std::size_t s = 0; s < kAddonSections.size(); ++s) {
      if (!Contains(line, kAddonSections[s])) continue;
      sectionStart = true;
      if (!sections[s].wanted || !sections[s].present || done[s]) continue;
      if (Trimmed(line) != Trimmed(kAddonSections[s])) return {Outcome::kRefused, {}};
      for (auto it = std::next(sections[s].from); it != sections[s].to; ++it) out.Write(*it);
      done[s] = true;
    }
    if (sectionStart || !needsParent || parentDone || !Contains(line, kAddonParent)) continue;
    if (Trimmed(line) != Trimmed(kAddonParent)) return {Outcome::kRefused, {}};
    for (std::size_t s : order) {
      const Section& section = sections[s];
      if (!section.wanted || section.present) continue;
      for (auto it = section.from; it != section.to; ++it) out.Write(*it);
      if (section.to != t.end()) out.Write(*section.to);
      done[s] = true;
    }
    parentDone = true;
  }
  std::string text = out.Take();
  // A section with nowhere to go (no parent line) would leave the integration incomplete.
  for (std::size_t s = 0; s < kAddonSections.size(); ++s)
    if (sections[s].wanted && !done[s]) return {Outcome::kRefused, {}};
  if (!HoldsSuiteNodes(text)) return {Outcome::kRefused, {}};
  return {Outcome::kMerged, std::move(text)};
}

// The same merge on the elements of a well-formed file: a section is a child of the AddonUI node
// (anywhere in a file without one), and holds suite nodes when any node inside it is one.
class AddonsByElements {
 public:
  AddonsByElements(std::string_view file, element::Elements elements, const LineList& t, Sections sections)
      : file_(file), elements_(std::move(elements)), t_(t), sections_(sections) {
    parent_ = element::Find(elements_, NodeOf(kAddonParent));
    for (std::size_t s = 0; s < kAddonSections.size(); ++s) {
      Section& section = sections_[s];
      if (section.from == t_.end()) continue;  // the template has no such section
      own_[s] = element::Find(elements_, kSectionElements[s], parent_);
      section.present = own_[s].has_value();
      section.wanted = !section.present || !element::HoldsInside(elements_, *own_[s], kSuiteNodeElements);
    }
  }

  // Whether the lines found the same sections, wanted the same way.
  [[nodiscard]] bool SamePlan(const Sections& byLines) const {
    for (std::size_t s = 0; s < kAddonSections.size(); ++s)
      if (byLines[s].wanted != sections_[s].wanted || byLines[s].present != sections_[s].present)
        return false;
    return true;
  }

  [[nodiscard]] AddonsMerge Merge() const {
    using Outcome = AddonsMerge::Outcome;
    if (!AnyWanted(sections_))
      return {HoldsSuiteNodes(file_) ? Outcome::kAlreadyMerged : Outcome::kRefused, {}};
    std::vector<element::Insertion> insertions;
    std::vector<std::string_view> whole;  // sections the file lacks, for the parent
    for (std::size_t s : TemplateOrder(t_, sections_)) {
      const Section& section = sections_[s];
      if (!section.wanted) continue;
      if (section.present) {
        insertions.push_back({*own_[s], {std::next(section.from), section.to}});
        continue;
      }
      whole.insert(whole.end(), section.from, section.to);
      if (section.to != t_.end()) whole.push_back(*section.to);
    }
    if (!whole.empty()) {
      if (!parent_) return {Outcome::kRefused, {}};
      insertions.push_back({*parent_, std::move(whole)});
    }
    std::optional<std::string> text = element::Inserted(file_, elements_, insertions);
    if (!text || !HoldsSuiteNodes(*text)) return {Outcome::kRefused, {}};
    return {Outcome::kMerged, std::move(*text)};
  }

 private:
  std::string_view file_;
  element::Elements elements_;
  const LineList& t_;
  Sections sections_;
  std::optional<std::size_t> parent_;
  std::array<std::optional<std::size_t>, kAddonSections.size()> own_{};
};

}  // namespace

bool HoldsSuiteNodes(std::string_view file) {
  return AnyContains(Lines(file), kSuiteNodes[0]) ||
         element::Holds(file, std::span(kSuiteNodeElements).first(1));
}

AddonsMerge EnableAddons(std::string_view file, std::string_view templ) {
  using Outcome = AddonsMerge::Outcome;
  const LineList lines = Lines(file);
  const LineList t = NonEmptyLines(templ);

  // What each section of the template needs: its nodes put into the file's own section, or the
  // whole section put after the parent line; nothing when the file's section holds suite nodes.
  Sections sections{};
  for (std::size_t s = 0; s < kAddonSections.size(); ++s) {
    Section& section = sections[s];
    section.from = FindContaining(t, kAddonSections[s]);
    section.to = section.from == t.end() ? t.end() : std::find(std::next(section.from), t.end(), kSectionEnd);
    if (section.from == t.end()) continue;
    const auto own = FindContaining(lines, kAddonSections[s]);
    section.present = own != lines.end();
    section.wanted = !section.present || !HoldsSuiteNode(own, lines.end());
  }
  // A well-formed file whose elements tell otherwise than its lines (sections or suite nodes laid
  // out where the markers miss them) is merged by its elements; so is one the lines cannot take.
  if (std::optional<element::Elements> elements = xml::Scan(file)) {
    AddonsByElements byElements(file, std::move(*elements), t, sections);
    if (!byElements.SamePlan(sections)) return byElements.Merge();
    AddonsMerge merged = EnableAddonsByLines(file, lines, t, sections);
    if (merged.outcome == Outcome::kRefused) return byElements.Merge();
    return merged;
  }
  return EnableAddonsByLines(file, lines, t, sections);
}

std::optional<std::string> DisableAddons(std::string_view file) {
  std::optional<LineList> kept = DropNodes(file, kSuiteNodes);
  std::optional<std::string> byLines;
  if (kept) {
    DropEmptySections(*kept);
    byLines = Rewritten(file, *kept, kCrLf);
  }
  return CutByElements(file, std::move(byLines), kSuiteNodeElements, kSectionElements);
}

std::optional<std::string> EnableWindowState(std::string_view file, std::string_view templ) {
  const std::array suite = {kWindowStateElement};
  if (AnyContains(Lines(file), kWindowStateNode) || element::Holds(file, suite)) return std::string(file);
  const LineList t = NonEmptyLines(templ);
  auto from = FindContaining(t, kWindowStateNode);
  auto to = std::find(from, t.end(), kInnerNodeEnd);
  if (to != t.end()) ++to;  // the closing line belongs to the node
  std::optional<std::string> byLines =
      InsertAfter(file, kWindowStateParent, std::span(from, to),
                  [](std::string_view line) { return Trimmed(line) == Trimmed(kWindowStateParent); });
  return InsertedByElements(file, std::move(byLines), NodeOf(kWindowStateParent), {from, to},
                            kWindowStateElement);
}

std::optional<std::string> DisableWindowState(std::string_view file) {
  const std::string_view markers[] = {kWindowStateNode};
  const std::optional<LineList> kept = DropNodes(file, markers);
  std::optional<std::string> byLines;
  if (kept) byLines = Rewritten(file, *kept, kCrLf);
  const std::array suite = {kWindowStateElement};
  return CutByElements(file, std::move(byLines), suite);
}

std::optional<std::string> EnableAccelerators(std::string_view file, std::string_view templ) {
  if (AnyContains(Lines(file), kSuiteAccelerator)) return std::string(file);
  const LineList t = NonEmptyLines(templ);
  std::optional<std::string> byLines = InsertAfter(file, kAcceleratorList, t, [](std::string_view line) {
    return IsLoneStartTag(line, kAcceleratorList);
  });
  return InsertedByElements(file, std::move(byLines), ElementOf(kAcceleratorList), t,
                            kSuiteAcceleratorElement);
}

std::optional<std::string> DisableAccelerators(std::string_view file) {
  const std::array suite = {kSuiteAcceleratorElement};
  return CutByElements(file, DropLoneEntries(file, kSuiteAccelerator), suite);
}

std::optional<std::string> EnableLibraries(std::string_view file, std::string_view templ) {
  const std::array suite = {kSuiteLibraryElement};
  if (AnyContains(Lines(file), kSuiteLibrary) || element::Holds(file, suite)) return std::string(file);
  const LineList t = NonEmptyLines(templ);
  std::optional<std::string> byLines = InsertAfter(
      file, kLibraryList, t, [](std::string_view line) { return IsLoneStartTag(line, kLibraryList); });
  return InsertedByElements(file, std::move(byLines), ElementOf(kLibraryList), t, kSuiteLibraryElement);
}

std::optional<std::string> DisableLibraries(std::string_view file) {
  const std::array suite = {kSuiteLibraryElement};
  return CutByElements(file, DropLoneEntries(file, kSuiteLibrary), suite);
}

}  // namespace ooo
