// The translation directions the kernel offers, in the order it lists them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace vanto {

struct DirectionInfo {
  // Stable ID: the source language's primary LANGID in the high byte, the target's in the low one.
  long id;
  std::wstring_view name;
  int wordList;   // resource ID of the bundled list
  bool reversed;  // the list is written target -> source
};

[[nodiscard]] std::span<const DirectionInfo> Directions() noexcept;
// Index of the direction with this ID, or -1.
[[nodiscard]] int DirectionIndexOf(long id) noexcept;

// Every direction offers the same profiles; the first is current at the start.
[[nodiscard]] std::span<const std::wstring_view> ProfileNames() noexcept;

}  // namespace vanto
