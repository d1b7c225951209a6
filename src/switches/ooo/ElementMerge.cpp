#include "switches/ooo/ElementMerge.h"

#include <algorithm>

namespace ooo::element {
namespace {

bool IsBlank(char c) noexcept {
  return c == ' ' || c == '\t';
}

// The file's own line end: that of its first line; a line feed when it has none.
std::string_view LineEnd(std::string_view file) noexcept {
  const std::size_t p = file.find_first_of("\r\n");
  if (p == std::string_view::npos || file[p] == '\n') return "\n";
  return file.substr(p + 1, 1) == "\n" ? "\r\n" : "\r";
}

// The blanks before `at` back to the start of its line; none when something else stands there.
std::string_view Indent(std::string_view file, std::size_t at) noexcept {
  std::size_t p = at;
  while (p > 0 && IsBlank(file[p - 1])) --p;
  if (p > 0 && file[p - 1] != '\n' && file[p - 1] != '\r') return {};
  return file.substr(p, at - p);
}

// Where cutting the element that starts at `at` begins: at the line end before it when only blanks
// stand between, else at the element itself.
std::size_t CutStart(std::string_view file, std::size_t at) noexcept {
  std::size_t p = at;
  while (p > 0 && IsBlank(file[p - 1])) --p;
  if (p == 0) return at;
  if (file[p - 1] == '\n') {
    --p;
    if (p > 0 && file[p - 1] == '\r') --p;
    return p;
  }
  return file[p - 1] == '\r' ? p - 1 : at;
}

std::size_t LeadingBlanks(std::string_view line) noexcept {
  std::size_t n = 0;
  while (n < line.size() && IsBlank(line[n])) ++n;
  return n;
}

// Bytes [from, to) of the file replaced by `text`.
struct Edit {
  std::size_t from = 0, to = 0;
  std::string text;
};

std::string Applied(std::string_view file, std::vector<Edit> edits) {
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.from < b.from; });
  std::string out;
  std::size_t at = 0;
  for (const Edit& e : edits) {
    out.append(file.substr(at, e.from - at));
    out.append(e.text);
    at = e.to;
  }
  out.append(file.substr(at));
  return out;
}

bool MatchesAny(const xml::Element& e, std::span<const Match> matches) {
  return std::any_of(matches.begin(), matches.end(), [&e](const Match& m) { return Matches(e, m); });
}

}  // namespace

bool Matches(const xml::Element& element, const Match& match) {
  if (!match.name.empty() && element.name != match.name) return false;
  if (match.attribute.empty() && match.value.empty()) return true;
  if (!match.attribute.empty()) return xml::AttributeValue(element.tag, match.attribute) == match.value;
  const auto values = xml::AttributeValues(element.tag);
  return std::any_of(values.begin(), values.end(),
                     [&match](std::string_view v) { return v.find(match.value) != std::string_view::npos; });
}

std::optional<std::size_t> Find(const Elements& elements, const Match& match,
                                std::optional<std::size_t> parent) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (parent && elements[i].parent != static_cast<std::ptrdiff_t>(*parent)) continue;
    if (Matches(elements[i], match)) return i;
  }
  return std::nullopt;
}

bool HoldsInside(const Elements& elements, std::size_t outer, std::span<const Match> matches) {
  const xml::Element& o = elements[outer];
  // Elements come in document order, so those inside `outer` follow it at once.
  for (std::size_t i = outer + 1; i < elements.size() && elements[i].begin < o.end; ++i)
    if (MatchesAny(elements[i], matches)) return true;
  return false;
}

bool Holds(std::string_view text, std::span<const Match> matches) {
  const std::optional<Elements> elements = xml::Scan(text);
  return elements && std::any_of(elements->begin(), elements->end(),
                                 [matches](const xml::Element& e) { return MatchesAny(e, matches); });
}

std::optional<std::string> Inserted(std::string_view file, const Elements& elements,
                                    std::span<const Insertion> insertions) {
  const std::string_view eol = LineEnd(file);
  std::vector<Edit> edits;
  for (const Insertion& insertion : insertions) {
    if (insertion.lines.empty()) continue;
    const xml::Element& e = elements[insertion.element];
    const std::string indent = std::string(Indent(file, e.begin)) + "\t";
    // The template's indentation beyond its first line's keeps the lines' nesting visible.
    const std::size_t base = LeadingBlanks(insertion.lines.front());
    std::string block;
    for (std::string_view line : insertion.lines) {
      block.append(eol);
      block.append(indent);
      block.append(line.substr(std::min(base, LeadingBlanks(line))));
    }
    if (e.empty) {
      edits.push_back({e.end - 2, e.end, ">" + block + "</" + std::string(e.name) + ">"});
    } else {
      edits.push_back({e.contentBegin, e.contentBegin, std::move(block)});
    }
  }
  if (edits.empty()) return std::string(file);
  std::string out = Applied(file, std::move(edits));
  if (!xml::Scan(out)) return std::nullopt;
  return out;
}

std::optional<std::string> Cut(std::string_view file, std::span<const Match> suite,
                               std::span<const Match> sections) {
  const std::optional<Elements> scanned = xml::Scan(file);
  if (!scanned) return std::nullopt;
  const Elements& elements = *scanned;
  const std::size_t n = elements.size();
  std::vector<bool> gone(n), lost(n);
  std::vector<std::optional<Edit>> edits(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::ptrdiff_t parent = elements[i].parent;
    if (parent >= 0 && gone[parent]) {
      gone[i] = true;  // inside a cut element
      continue;
    }
    if (!MatchesAny(elements[i], suite)) continue;
    if (parent < 0) return std::nullopt;
    gone[i] = true;
    lost[parent] = true;
    edits[i] = Edit{CutStart(file, elements[i].begin), elements[i].end, {}};
  }
  // Children come after their parent, so going backwards judges each element after its children.
  for (std::size_t i = n; i-- > 0;) {
    const xml::Element& e = elements[i];
    if (!lost[i] || gone[i]) continue;
    std::string left;
    std::size_t at = e.contentBegin;
    for (std::size_t c = i + 1; c < n && elements[c].begin < e.end; ++c) {
      if (elements[c].parent != static_cast<std::ptrdiff_t>(i) || !edits[c]) continue;
      left.append(file.substr(at, edits[c]->from - at));
      left.append(edits[c]->text);
      at = edits[c]->to;
    }
    left.append(file.substr(at, e.contentEnd - at));
    if (left.empty()) {
      edits[i] = Edit{e.contentBegin - 1, e.end, "/>"};
    } else if (e.parent >= 0 && MatchesAny(e, sections) &&
               left.find_first_not_of(" \t\r\n") == std::string::npos) {
      edits[i] = Edit{CutStart(file, e.begin), e.end, {}};
      gone[i] = true;
      lost[e.parent] = true;
    }
  }
  // An edit inside an element that has one of its own is part of that one.
  std::vector<bool> covered(n);
  std::vector<Edit> applied;
  for (std::size_t i = 0; i < n; ++i) {
    const std::ptrdiff_t parent = elements[i].parent;
    covered[i] = parent >= 0 && (covered[parent] || edits[parent].has_value());
    if (edits[i] && !covered[i]) applied.push_back(std::move(*edits[i]));
  }
  if (applied.empty()) return std::string(file);
  return Applied(file, std::move(applied));
}

}  // namespace ooo::element
