#pragma once
// The profile merges for files whose layout the line merges cannot take, done on elements found by
// XmlScan: the suite's lines go in right after an element's start tag, the suite's elements are
// cut out by their byte offsets, and every other byte of the file stays as it is.
//
// Inserted lines take the file's own line end (that of its first line; a line feed in a file of one
// line), each written before its line, so the text after the insertion point goes on where it did.
// They are indented with the anchor's own indentation and a tab, then their indentation in the
// template beyond the first line's. An empty-element anchor ("<node .../>") becomes a start tag and
// an end tag around them. A cut element goes with the line end and blanks before it when nothing
// else stands between them; so what an insertion added is what the cut takes out again.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "switches/ooo/XmlScan.h"

namespace ooo::element {

using Elements = std::vector<xml::Element>;

// What an element is found by: its name (any when empty) and an attribute `attribute` whose value
// is `value`; with no attribute named, any attribute whose value holds `value`; with neither, the
// name alone.
struct Match {
  std::string_view name;
  std::string_view attribute;
  std::string_view value;
};

[[nodiscard]] bool Matches(const xml::Element& element, const Match& match);

// The first element that matches, in document order; among the children of `parent` when given.
std::optional<std::size_t> Find(const Elements& elements, const Match& match,
                                std::optional<std::size_t> parent = std::nullopt);

// Whether an element inside `outer` (not `outer` itself) matches one of `matches`.
[[nodiscard]] bool HoldsInside(const Elements& elements, std::size_t outer, std::span<const Match> matches);

// Whether `text` is a well-formed document with an element that matches one of `matches`.
[[nodiscard]] bool Holds(std::string_view text, std::span<const Match> matches);

struct Insertion {
  std::size_t element;  // index into the file's elements
  std::vector<std::string_view> lines;
};

// `file` with each insertion's lines as the first content of its element. No value when the result
// would not be well-formed (a broken template). At most one insertion per element.
std::optional<std::string> Inserted(std::string_view file, const Elements& elements,
                                    std::span<const Insertion> insertions);

// `file` without any element that matches one of `suite`, the elements inside them with them.
// An element that thereby loses all of its content becomes an empty-element tag again; an element
// matching one of `sections` that keeps only blanks goes too. No value when the file is not
// well-formed or its root element matches (cutting it would leave no document).
std::optional<std::string> Cut(std::string_view file, std::span<const Match> suite,
                               std::span<const Match> sections = {});

}  // namespace ooo::element
