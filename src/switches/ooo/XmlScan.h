#pragma once
// Where the elements of an XML document are, as byte offsets into its text, and whether the text
// is a well-formed document at all. The profile merges use it for files whose layout the line
// merges cannot take (tabs, one line, empty-element tags): they insert and cut at these offsets
// and so leave every other byte of the user's file as it is.
// Bytes are not decoded: names and values are compared as bytes, bytes from 0x80 up count as name
// characters (UTF-8), references are checked for their form only. A document type declaration is
// skipped unless it has an internal subset, which is refused; nothing here needs one.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace ooo::xml {

struct Element {
  std::string_view name;
  std::string_view tag;          // the start tag (or empty-element tag), "<" through ">"
  std::size_t begin = 0;         // the start tag's "<"
  std::size_t contentBegin = 0;  // just after the start tag's ">"
  std::size_t contentEnd = 0;    // the end tag's "<"; contentBegin for an empty-element tag
  std::size_t end = 0;           // just after the end tag's ">" (the tag's own for an empty one)
  bool empty = false;            // written as one "<name .../>" tag
  std::ptrdiff_t parent = -1;    // index of the enclosing element; -1 for the root
};

// Every element of `text` in document order (a parent before its children), or no value when the
// text is not one well-formed document: one root element, only blanks, comments and processing
// instructions around it, tags balanced, attributes quoted and not repeated, no control bytes.
std::optional<std::vector<Element>> Scan(std::string_view text);

// The value of the attribute `name` in a start tag from Scan, as written between its quotes.
std::optional<std::string_view> AttributeValue(std::string_view tag, std::string_view name);

// Every attribute value of a start tag from Scan, in order.
std::vector<std::string_view> AttributeValues(std::string_view tag);

}  // namespace ooo::xml
