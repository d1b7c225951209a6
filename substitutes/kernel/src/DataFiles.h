// The user's files: a dictionary or a translation memory is one UTF-8 file of records (Records.h):
//   name<TAB>My words
//   direction<TAB>2311                        (a direction ID, DirectionTable.h)
//   entry<TAB>source<TAB>target[<TAB>kind]    (dictionaries; kind is the add-word dialog entry)
//   segment<TAB>source<TAB>target             (memories)
// A record that does not fit is skipped; a file without a name or a direction is not used.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

struct DictionaryEntry {
  std::wstring source;
  std::wstring target;
  int kind = 0;
};

struct DictionaryDocument {
  std::wstring name;
  long directionId = 0;
  std::vector<DictionaryEntry> entries;
};

struct Segment {
  std::wstring source;
  std::wstring target;
};

struct MemoryDocument {
  std::wstring name;
  long directionId = 0;
  std::vector<Segment> segments;
};

[[nodiscard]] std::optional<DictionaryDocument> ParseDictionary(std::string_view utf8);
[[nodiscard]] std::string FormatDictionary(const DictionaryDocument& document);
[[nodiscard]] std::optional<MemoryDocument> ParseMemory(std::string_view utf8);
[[nodiscard]] std::string FormatMemory(const MemoryDocument& document);

}  // namespace vanto
