#pragma once
// A small, strict JSON reader for infpack's profile descriptions. Unlike general-purpose libraries
// it keeps every object member in document order, duplicate names included, because a profile
// file may list a section or key twice and a dump must pack back to the same bytes. Strings come
// back as UTF-16 code units; a \uXXXX escape maps straight to its unit, lone surrogates included.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace json {

enum class Kind { Null, Bool, Number, String, Array, Object };

struct Member;

struct Value {
  Kind kind = Kind::Null;
  std::size_t offset = 0;  // where the value starts in the document (bytes)
  bool boolean = false;
  std::string number;           // the number as written
  std::wstring text;            // UTF-16 code units, one per wchar_t
  std::vector<Value> items;     // array elements
  std::vector<Member> members;  // object members in document order, duplicates kept
};

struct Member {
  std::wstring name;
  std::size_t offset = 0;
  Value value;
};

// A parse or shape error at a byte offset of the document.
class Error : public std::runtime_error {
 public:
  Error(std::size_t offset, const std::string& message) : std::runtime_error(message), offset_(offset) {}
  std::size_t Offset() const noexcept { return offset_; }

 private:
  std::size_t offset_;
};

struct Position {
  std::size_t line = 1;
  std::size_t column = 1;  // in characters
};

Position Locate(std::string_view document, std::size_t offset) noexcept;

// Parses a complete UTF-8 document (an optional byte order mark is skipped). Throws Error.
Value Parse(std::string_view document);

}  // namespace json
