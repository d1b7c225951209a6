#pragma once
// CXCryptedBufferW: an in-memory byte stream of typed items (text, integer, the second 32-bit
// kind, byte block), and the scrambling of a profile body held in it.
//
// Writes append at the end. Reads start at Position() and move past an item only when the whole
// item is there; they never look beyond the buffer, whatever counts the data claims.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profile/FileFormat.h"

class CXCryptedBufferW {
 public:
  enum class Read : std::uint8_t {
    Ok,
    EndOfData,         // no item left
    WrongTag,          // an item of another kind is next
    Truncated,         // the item's fixed part is cut off
    NegativeLength,    // a text or block claims a negative length
    LengthBeyondData,  // a text or block claims more bytes than are left
  };

  enum class Check : std::uint8_t {
    Ok,
    TooShort,  // fewer than the four check bytes
    BadMarker,
    BadChecksum,
    BadOrByte,
  };

  CXCryptedBufferW() = default;
  explicit CXCryptedBufferW(std::vector<std::uint8_t> bytes) noexcept : bytes_(std::move(bytes)) {}

  const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }
  std::size_t Size() const noexcept { return bytes_.size(); }
  std::size_t Position() const noexcept { return pos_; }
  std::size_t Remaining() const noexcept { return bytes_.size() - pos_; }
  void Seek(std::size_t position) noexcept { pos_ = position < bytes_.size() ? position : bytes_.size(); }

  void WriteText(std::wstring_view text);
  void WriteInt(std::int32_t value);
  void WriteDword(std::uint32_t value);
  void WriteBlock(std::span<const std::uint8_t> bytes);

  [[nodiscard]] Read ReadText(std::wstring& text);
  // The text's UTF-16LE units as they lie in the buffer (2 * N bytes), without copying.
  [[nodiscard]] Read ReadTextUnits(std::span<const std::uint8_t>& units) noexcept;
  [[nodiscard]] Read ReadInt(std::int32_t& value) noexcept;
  [[nodiscard]] Read ReadDword(std::uint32_t& value) noexcept;
  [[nodiscard]] Read ReadBlock(std::span<const std::uint8_t>& bytes) noexcept;

  // The buffer as a profile body: four check bytes, then the item stream. Scramble fills in the
  // check bytes (a buffer shorter than four bytes is first padded with zeros) and scrambles the
  // stream; Unscramble is its inverse and says whether the body verifies. After a failed check
  // the bytes are unspecified.
  void Scramble(inf::StreamParams params);
  [[nodiscard]] Check Unscramble(inf::StreamParams params);

 private:
  Read ReadFixed(std::uint8_t tag, std::uint32_t& value) noexcept;
  Read ReadCounted(std::uint8_t tag, std::size_t unitSize, std::span<const std::uint8_t>& bytes) noexcept;
  void PutTagged(std::uint8_t tag, std::uint32_t value);

  std::vector<std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// The item readers sit on the parser's hot path, so they are inline.

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadFixed(std::uint8_t tag, std::uint32_t& value) noexcept {
  if (pos_ >= bytes_.size()) return Read::EndOfData;
  if (bytes_[pos_] != tag) return Read::WrongTag;
  if (bytes_.size() - pos_ < 5) return Read::Truncated;
  value = inf::LoadLe32(bytes_.data() + pos_ + 1);
  pos_ += 5;
  return Read::Ok;
}

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadCounted(std::uint8_t tag, std::size_t unitSize,
                                                            std::span<const std::uint8_t>& bytes) noexcept {
  const std::size_t start = pos_;
  std::uint32_t raw = 0;
  if (const Read r = ReadFixed(tag, raw); r != Read::Ok) return r;
  const auto count = static_cast<std::int32_t>(raw);
  Read result = Read::Ok;
  if (count < 0) {
    result = Read::NegativeLength;
  } else if (static_cast<std::uint64_t>(count) * unitSize > bytes_.size() - pos_) {
    result = Read::LengthBeyondData;
  } else {
    const std::size_t length = static_cast<std::size_t>(count) * unitSize;
    bytes = std::span<const std::uint8_t>(bytes_.data() + pos_, length);
    pos_ += length;
    return Read::Ok;
  }
  pos_ = start;
  return result;
}

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadTextUnits(std::span<const std::uint8_t>& units) noexcept {
  return ReadCounted(inf::kTagText, 2, units);
}

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadInt(std::int32_t& value) noexcept {
  std::uint32_t raw = 0;
  const Read r = ReadFixed(inf::kTagInt, raw);
  if (r == Read::Ok) value = static_cast<std::int32_t>(raw);
  return r;
}

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadDword(std::uint32_t& value) noexcept {
  return ReadFixed(inf::kTagDword, value);
}

inline CXCryptedBufferW::Read CXCryptedBufferW::ReadBlock(std::span<const std::uint8_t>& bytes) noexcept {
  return ReadCounted(inf::kTagBlock, 1, bytes);
}
