#include "profile/Keystream.h"

#include <array>
#include <cstring>

namespace inf {
namespace {

// Each pass of the cycle table covers at least this many bytes, so the per-piece overhead stays
// small next to the word loop.
constexpr std::size_t kCycleBlock = 4096;

constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
// A 16-bit lane holds at most 255 after a fold and gains at most 2 * 255 per word, so 128 words
// fit before a lane could carry into its neighbour: 255 + 128 * 510 = 65535.
constexpr unsigned kWordsPerFold = 128;

std::uint8_t ReduceLanes(std::uint64_t lanes) noexcept {
  unsigned sum = 0;
  for (int i = 0; i < 4; ++i) sum += static_cast<unsigned>(lanes >> (16 * i)) & 0xFF;
  return static_cast<std::uint8_t>(sum);
}

std::uint8_t ReduceOr(std::uint64_t bits) noexcept {
  bits |= bits >> 32;
  bits |= bits >> 16;
  bits |= bits >> 8;
  return static_cast<std::uint8_t>(bits);
}

// out[j] = in[j] ^ key[j] for j < n when Xor is set (otherwise out and key are unused), folding
// the resulting bytes into *fold when Fold is set.
template <bool Xor, bool Fold>
void Process(const std::uint8_t* in, [[maybe_unused]] std::uint8_t* out,
             [[maybe_unused]] const std::uint8_t* key, std::size_t n,
             [[maybe_unused]] ByteFold* fold) noexcept {
  std::uint64_t lanes = 0;
  std::uint64_t orBits = 0;
  unsigned words = 0;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, in + i, 8);
    if constexpr (Xor) {
      std::uint64_t k;
      std::memcpy(&k, key + i, 8);
      w ^= k;
      std::memcpy(out + i, &w, 8);
    }
    if constexpr (Fold) {
      orBits |= w;
      lanes += (w & kLowBytes) + ((w >> 8) & kLowBytes);
      if (++words == kWordsPerFold) {
        lanes &= kLowBytes;  // drops whole multiples of 256 only
        words = 0;
      }
    }
  }
  std::uint8_t sum = 0;
  for (; i < n; ++i) {
    std::uint8_t byte = in[i];
    if constexpr (Xor) {
      byte = static_cast<std::uint8_t>(byte ^ key[i]);
      out[i] = byte;
    }
    if constexpr (Fold) {
      sum = static_cast<std::uint8_t>(sum + byte);
      orBits |= byte;
    }
  }
  if constexpr (Fold) {
    fold->sum = static_cast<std::uint8_t>(fold->sum + sum + ReduceLanes(lanes & kLowBytes));
    fold->orBits = static_cast<std::uint8_t>(fold->orBits | ReduceOr(orBits));
  }
}

}  // namespace

ByteFold FoldBytes(std::span<const std::uint8_t> bytes) noexcept {
  ByteFold fold;
  Process<false, true>(bytes.data(), nullptr, nullptr, bytes.size(), &fold);
  return fold;
}

Keystream::Keystream(StreamParams params, std::uint8_t salt, std::size_t length) {
  const unsigned a = params.a & 0xFFu;
  const unsigned b = params.b & 0xFFu;
  unsigned k = params.c & 0xFFu;

  std::array<std::int16_t, 256> seenAt;
  seenAt.fill(-1);
  std::vector<std::uint8_t> sequence;
  sequence.reserve(256);
  for (;;) {
    k = (b + k * a) & 0xFFu;
    if (seenAt[k] >= 0) break;
    seenAt[k] = static_cast<std::int16_t>(sequence.size());
    sequence.push_back(static_cast<std::uint8_t>(k ^ salt));
  }
  leadLength_ = static_cast<std::size_t>(seenAt[k]);
  period_ = sequence.size() - leadLength_;

  // Whole periods only, so every pass through the table ends where the cycle starts again.
  std::size_t cycleBytes = length > leadLength_ ? length - leadLength_ : 0;
  if (cycleBytes > kCycleBlock) cycleBytes = kCycleBlock;
  std::size_t periods = (cycleBytes + period_ - 1) / period_;
  if (periods == 0) periods = 1;
  keys_.assign(sequence.begin(), sequence.begin() + static_cast<std::ptrdiff_t>(leadLength_));
  keys_.reserve(leadLength_ + periods * period_);
  for (std::size_t p = 0; p < periods; ++p)
    keys_.insert(keys_.end(), sequence.begin() + static_cast<std::ptrdiff_t>(leadLength_), sequence.end());
}

template <bool Fold>
void Keystream::Run(std::span<std::uint8_t> stream, ByteFold* fold) const noexcept {
  std::uint8_t* data = stream.data();
  std::size_t left = stream.size();
  const std::size_t lead = left < leadLength_ ? left : leadLength_;
  Process<true, Fold>(data, data, keys_.data(), lead, fold);
  data += lead;
  left -= lead;
  const std::uint8_t* cycle = keys_.data() + leadLength_;
  const std::size_t block = keys_.size() - leadLength_;
  while (left > 0) {
    const std::size_t n = left < block ? left : block;
    Process<true, Fold>(data, data, cycle, n, fold);
    data += n;
    left -= n;
  }
}

void Keystream::Apply(std::span<std::uint8_t> stream) const noexcept {
  Run<false>(stream, nullptr);
}

void Keystream::ApplyAndFold(std::span<std::uint8_t> stream, ByteFold& fold) const noexcept {
  Run<true>(stream, &fold);
}

}  // namespace inf
