#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzBodies.h"
#include "switches/ooo/ByteLines.h"
#include "switches/ooo/OooMerge.h"
#include "switches/ooo/XmlScan.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// The output's lines, each of which must end with `eol`; they point into `out`.
std::vector<std::string_view> SplitWritten(std::string_view out, std::string_view eol) {
  std::vector<std::string_view> lines;
  while (!out.empty()) {
    const std::size_t end = out.find(eol);
    Require(end != std::string_view::npos);
    lines.push_back(out.substr(0, end));
    out.remove_prefix(end + eol.size());
  }
  return lines;
}

// Written lines never hold a line end (a file's own empty lines are written as empty lines).
void RequireLines(const std::vector<std::string_view>& lines) {
  for (std::string_view l : lines) Require(l.find_first_of("\r\n") == std::string_view::npos);
}

// A merge's output: the file itself when `expected` is all of its lines (nothing to change),
// else `expected` written with `eol`.
void RequireWritten(std::string_view out, std::string_view file, const std::vector<std::string_view>& in,
                    const std::vector<std::string_view>& expected, std::string_view eol) {
  if (expected == in) {
    Require(out == file);
    return;
  }
  const auto lines = SplitWritten(out, eol);
  RequireLines(lines);
  Require(lines == expected);
}

bool IsSubsequence(const std::vector<std::string_view>& part, const std::vector<std::string_view>& whole) {
  std::size_t i = 0;
  for (std::string_view l : whole)
    if (i < part.size() && part[i] == l) ++i;
  return i == part.size();
}

std::size_t CountContaining(const std::vector<std::string_view>& lines, std::string_view marker) {
  std::size_t n = 0;
  for (std::string_view l : lines) n += ooo::Contains(l, marker) ? 1 : 0;
  return n;
}

// The line without the blanks and tabs at either end.
std::string_view Stripped(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

std::size_t CountOf(std::string_view line, char c) {
  return static_cast<std::size_t>(std::count(line.begin(), line.end(), c));
}

// One start tag beginning with `tag`, nothing else but blanks (and a byte order mark before it).
bool IsStartTagAlone(std::string_view line, std::string_view tag) {
  if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  line = Stripped(line);
  return line.size() > tag.size() && line.substr(0, tag.size()) == tag && line.back() == '>' &&
         line[line.size() - 2] != '/' && CountOf(line, '<') == 1 && CountOf(line, '>') == 1;
}

// One empty element ("<name .../>"), nothing else but blanks.
bool IsEmptyElementAlone(std::string_view line) {
  line = Stripped(line);
  return line.size() >= 4 && line[0] == '<' && line[1] != '!' && line[1] != '?' && line[1] != '/' &&
         line.substr(line.size() - 2) == "/>" && CountOf(line, '<') == 1 && CountOf(line, '>') == 1;
}

// A merge that puts `inserted` after every line holding `marker`: refused exactly when such a
// line is not `alone`; otherwise the file's lines all stay, in order, with `inserted` after each
// of those lines and nowhere else.
// A file that holds `already` takes nothing and stays as it is.
template <class Alone>
void RequireInsertedAfter(const std::optional<std::string>& merged, std::string_view file,
                          const std::vector<std::string_view>& in,
                          const std::vector<std::string_view>& inserted, std::string_view marker,
                          std::string_view already, Alone alone) {
  if (CountContaining(in, already) > 0) {
    Require(merged.has_value() && *merged == file);
    return;
  }
  std::vector<std::string_view> expected;
  bool more = false;
  for (std::string_view l : in) {
    expected.push_back(l);
    if (!ooo::Contains(l, marker)) continue;
    more = more || !alone(l);
    expected.insert(expected.end(), inserted.begin(), inserted.end());
  }
  Require(merged.has_value() != more);
  if (!merged) return;
  RequireWritten(*merged, file, in, expected, ooo::kLf);
}

bool IsSectionStartAlone(std::string_view line) {
  return std::any_of(ooo::kAddonSections.begin(), ooo::kAddonSections.end(),
                     [line](std::string_view s) { return Stripped(line) == Stripped(s); });
}

// The names of the elements of a well-formed text, in document order; no value for another text.
std::optional<std::vector<std::string_view>> ElementNames(std::string_view text) {
  const auto elements = ooo::xml::Scan(text);
  if (!elements) return std::nullopt;
  std::vector<std::string_view> names;
  for (const ooo::xml::Element& e : *elements) names.push_back(e.name);
  return names;
}

// The value a marker gives for `key` ("oor:name=\"").
std::string_view QuotedIn(std::string_view marker, std::string_view key) {
  const std::size_t from = marker.find(key) + key.size();
  return marker.substr(from, marker.find('"', from) - from);
}

// Whether an element is one of the suite's in the file that `op` switches off.
bool IsSuiteElement(unsigned op, const ooo::xml::Element& e) {
  const auto attribute = [&e](std::string_view name) { return ooo::xml::AttributeValue(e.tag, name); };
  switch (op) {
    case 1:
      return e.name == "node" && std::any_of(ooo::kSuiteNodes.begin(), ooo::kSuiteNodes.end(), [&](auto m) {
               return attribute("oor:name") == QuotedIn(m, "oor:name=\"");
             });
    case 3:
      return e.name == "node" && attribute("oor:name") == QuotedIn(ooo::kWindowStateNode, "oor:name=\"");
    case 5: {
      const auto values = ooo::xml::AttributeValues(e.tag);
      return std::any_of(values.begin(), values.end(), [](std::string_view v) {
        return v.find(ooo::kSuiteAccelerator) != std::string_view::npos;
      });
    }
    default: return e.name == "library:library" && attribute("library:name") == "Vanto";
  }
}

// A well-formed file switched off: refused only when its root element is the suite's (cutting it
// would leave no document); else a well-formed file without the suite's elements, holding the
// file's elements but those it lost, in order.
void RequireSwitchedOff(unsigned op, std::string_view file, const std::optional<std::string>& out) {
  const auto elements = ooo::xml::Scan(file);
  if (!out) {
    Require(IsSuiteElement(op, elements->front()));
    return;
  }
  const auto left = ooo::xml::Scan(*out);
  Require(left.has_value());
  for (const ooo::xml::Element& e : *left) Require(!IsSuiteElement(op, e));
  Require(IsSubsequence(*ElementNames(*out), *ElementNames(file)));
}

// A well-formed file switched on keeps every element of its own, in order, when the result is a
// document (a broken template may make it none, as it did before).
void RequireSwitchedOn(std::string_view file, std::string_view merged) {
  if (const auto names = ElementNames(merged)) Require(IsSubsequence(*ElementNames(file), *names));
}

}  // namespace

void FuzzOooMerge(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return;
  const unsigned op = data[0] % 8;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::size_t split = (data[1] | (std::size_t{data[2]} << 8)) % (rest.size() + 1);
  const std::string_view file = rest.substr(0, split);
  const std::string_view templ = rest.substr(split);
  const auto in = ooo::Lines(file);
  const auto t = ooo::NonEmptyLines(templ);
  // A file that is not well-formed goes through the line merges alone, exactly as their rules say;
  // a well-formed one may be merged by its elements, which keeps the properties checked for it.
  const bool wellFormed = ooo::xml::Scan(file).has_value();

  switch (op) {
    case 0: {
      const ooo::AddonsMerge merged = ooo::EnableAddons(file, templ);
      using Outcome = ooo::AddonsMerge::Outcome;
      // Merged already only with the suite's first node in it (as a line, or an element anywhere).
      if (merged.outcome == Outcome::kAlreadyMerged)
        Require(wellFormed ? ooo::HoldsSuiteNodes(file) : CountContaining(in, ooo::kSuiteNodes[0]) > 0);
      if (merged.outcome != Outcome::kMerged) {
        Require(merged.text.empty());
        break;
      }
      Require(ooo::HoldsSuiteNodes(merged.text));
      if (wellFormed) {
        RequireSwitchedOn(file, merged.text);
        break;
      }
      const auto out = SplitWritten(merged.text, ooo::kLf);
      RequireLines(out);
      Require(out.size() >= in.size());
      // Nothing of the file is lost or changed: every line of it stays, in order.
      Require(IsSubsequence(in, out));
      break;
    }
    case 1:
    case 3: {
      const std::optional<std::string> out =
          op == 1 ? ooo::DisableAddons(file) : ooo::DisableWindowState(file);
      if (wellFormed) {
        RequireSwitchedOff(op, file, out);
        break;
      }
      const std::string_view toolbar[] = {ooo::kWindowStateNode};
      const std::span<const std::string_view> markers =
          op == 1 ? std::span<const std::string_view>(ooo::kSuiteNodes)
                  : std::span<const std::string_view>(toolbar);
      // Refused exactly when a line that starts a suite node, or the "   </node>" line that ends one,
      // holds more; otherwise every line stays but those of the suite's nodes (a node never closed
      // stays too).
      std::vector<std::string_view> expected, open;
      bool inNode = false, more = false;
      for (std::string_view l : in) {
        for (std::string_view m : markers) {
          if (!ooo::Contains(l, m)) continue;
          more = more || Stripped(l) != Stripped(m);
          inNode = true;
          break;
        }
        if (!inNode) {
          expected.push_back(l);
          continue;
        }
        open.push_back(l);
        if (l.substr(0, ooo::kInnerNodeEnd.size()) != ooo::kInnerNodeEnd) continue;
        if (!Stripped(l.substr(ooo::kInnerNodeEnd.size())).empty()) {
          more = true;
        } else {
          inNode = false;
          open.clear();
        }
      }
      expected.insert(expected.end(), open.begin(), open.end());
      Require(out.has_value() != more);
      if (!out) break;
      if (op == 1) {
        // Sections left empty go.
        std::vector<std::string_view> kept;
        for (std::size_t i = 0; i < expected.size(); ++i) {
          if (i + 1 < expected.size() && expected[i + 1] == ooo::kSectionEnd &&
              IsSectionStartAlone(expected[i])) {
            ++i;
            continue;
          }
          kept.push_back(expected[i]);
        }
        expected = std::move(kept);
      }
      RequireWritten(*out, file, in, expected, ooo::kCrLf);
      break;
    }
    case 2: {
      // The template's toolbar node, from its start line through the next "   </node>" line.
      std::vector<std::string_view> node;
      for (std::string_view l : t) {
        if (node.empty() && !ooo::Contains(l, ooo::kWindowStateNode)) continue;
        node.push_back(l);
        if (l == ooo::kInnerNodeEnd) break;
      }
      const std::optional<std::string> merged = ooo::EnableWindowState(file, templ);
      if (wellFormed) {
        if (merged) RequireSwitchedOn(file, *merged);
      } else {
        RequireInsertedAfter(
            merged, file, in, node, ooo::kWindowStateParent, ooo::kWindowStateNode,
            [](std::string_view l) { return Stripped(l) == Stripped(ooo::kWindowStateParent); });
      }
      // A second switch-on changes nothing.
      if (merged) Require(ooo::EnableWindowState(*merged, templ) == *merged);
      break;
    }
    case 4:
    case 6: {
      const bool accel = op == 4;
      const std::string_view list = accel ? ooo::kAcceleratorList : ooo::kLibraryList;
      const std::string_view entry = accel ? ooo::kSuiteAccelerator : ooo::kSuiteLibrary;
      const auto enable = accel ? ooo::EnableAccelerators : ooo::EnableLibraries;
      const std::optional<std::string> merged = enable(file, templ);
      if (wellFormed) {
        if (merged) RequireSwitchedOn(file, *merged);
        // A second switch-on changes nothing once the suite's entry is there, as a line or element.
        const std::string mergedText = merged.value_or("");  // the elements point into it
        const auto entries = ooo::xml::Scan(mergedText);
        const bool holds = entries && std::any_of(entries->begin(), entries->end(),
                                                  [op](const auto& e) { return IsSuiteElement(op + 1, e); });
        if (merged && (holds || CountContaining(ooo::Lines(*merged), entry) > 0))
          Require(enable(*merged, templ) == *merged);
        break;
      }
      RequireInsertedAfter(merged, file, in, t, list, entry,
                           [list](std::string_view l) { return IsStartTagAlone(l, list); });
      // A second switch-on changes nothing when the template names the suite's entry.
      if (merged && CountContaining(t, entry) > 0) Require(enable(*merged, templ) == *merged);
      break;
    }
    default: {
      const bool accel = op == 5;
      const std::string_view entry = accel ? ooo::kSuiteAccelerator : ooo::kSuiteLibrary;
      const std::optional<std::string> kept =
          accel ? ooo::DisableAccelerators(file) : ooo::DisableLibraries(file);
      if (wellFormed) {
        RequireSwitchedOff(op, file, kept);
        break;
      }
      // Refused exactly when a line names the entry with more beside it; otherwise every other line
      // stays, in order, and only lines holding one empty element naming the entry go.
      std::vector<std::string_view> others;
      bool more = false;
      for (std::string_view l : in) {
        if (!ooo::Contains(l, entry)) {
          others.push_back(l);
        } else if (!IsEmptyElementAlone(l)) {
          more = true;
        }
      }
      Require(kept.has_value() != more);
      if (!kept) break;
      RequireWritten(*kept, file, in, others, ooo::kLf);
      break;
    }
  }
}
