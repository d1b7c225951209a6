#pragma once
// The key bytes that scramble a profile body.
//
// Body byte i (i >= 4) is XORed with k_i and with the salt, where k_3 = C mod 256 and
// k_i = (B + k_{i-1} * A) mod 256. Each k depends only on the one before, so the sequence runs
// through a lead-in into a cycle, together at most 256 values long. We lay both out once (salt
// already mixed in) and XOR the body a machine word at a time instead of stepping the recurrence
// byte by byte.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "profile/FileFormat.h"

namespace inf {

// Modulo-256 sum and bitwise OR of a run of bytes: the body's checksum and OR byte.
struct ByteFold {
  std::uint8_t sum = 0;
  std::uint8_t orBits = 0;
};

ByteFold FoldBytes(std::span<const std::uint8_t> bytes) noexcept;

class Keystream {
 public:
  // `length` is the longest stream this keystream will be applied to; it only bounds the table.
  Keystream(StreamParams params, std::uint8_t salt, std::size_t length);

  // XORs `stream` (the body from offset 4) with the key bytes.
  void Apply(std::span<std::uint8_t> stream) const noexcept;
  // The same, and folds the resulting bytes into `fold`.
  void ApplyAndFold(std::span<std::uint8_t> stream, ByteFold& fold) const noexcept;

 private:
  template <bool Fold>
  void Run(std::span<std::uint8_t> stream, ByteFold* fold) const noexcept;

  std::size_t leadLength_ = 0;
  std::size_t period_ = 0;
  // The lead-in, then the cycle repeated a whole number of times (salt mixed in).
  std::vector<std::uint8_t> keys_;
};

}  // namespace inf
