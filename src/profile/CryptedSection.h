#pragma once
// CCryptedSectionW: the entries of one profile section, found by key name (exact, case-sensitive)
// and enumerated in file order.
//
// Enumeration order: an entry keeps the position where its key first appeared in the file; when a
// key appears again, the later entry's value replaces the earlier one in that position. The start
// centre builds its menus from this order, so it must be stable; file order is the one an author
// of the file expects.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace inf {

// Lets the maps be searched with a std::wstring_view without building a std::wstring.
struct WStringHash {
  using is_transparent = void;
  std::size_t operator()(std::wstring_view text) const noexcept {
    return std::hash<std::wstring_view>{}(text);
  }
};

}  // namespace inf

class CCryptedSectionW {
 public:
  struct Entry {
    std::int32_t type = 0;
    // The value as held in memory: an 'S' text as its UTF-16LE units plus a terminating zero
    // unit, an 'H' or 'B' value as its 4 bytes, a 'G' block as its bytes, nothing otherwise.
    std::vector<std::uint8_t> value;

    // The value's first 32 bits, little-endian; a shorter value is zero-extended, an empty one
    // gives `defaultValue`.
    std::int32_t AsInt(std::int32_t defaultValue) const noexcept;
    // The value read as UTF-16 up to the first zero unit or its end.
    std::wstring AsText() const;
  };

  std::size_t EntryCount() const noexcept { return entries_.size(); }
  const Entry* Find(std::wstring_view key) const noexcept;
  // The key at `index` in enumeration order; null when out of range.
  const std::wstring* KeyAt(std::size_t index) const noexcept;

  void Set(std::wstring key, Entry entry);
  void Reserve(std::size_t entries);

 private:
  // The slot where `key` is, or the empty slot where it would go.
  std::size_t Probe(std::wstring_view key) const noexcept;
  // Makes room in the index for `entries` entries.
  void GrowIndex(std::size_t entries);
  void Rehash(std::size_t slotCount);

  std::vector<std::pair<std::wstring, Entry>> entries_;
  // Open-addressing index over entries_ (entry index + 1; 0 is an empty slot), a power of two in
  // size and at most 3/4 full. Unlike a node-based map it costs no allocation and no second copy of
  // the key per entry, which is most of the parsing time.
  std::vector<std::uint32_t> slots_;
};
