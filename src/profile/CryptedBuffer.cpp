#include "profile/CryptedBuffer.h"

#include <stdexcept>

#include "profile/Keystream.h"
#include "profile/Utf16.h"

namespace {

constexpr std::size_t kMaxCount = 0x7FFFFFFF;  // counts are signed 32-bit in the stream

std::uint32_t CheckedCount(std::size_t count) {
  if (count > kMaxCount) throw std::length_error("item longer than a profile stream can hold");
  return static_cast<std::uint32_t>(count);
}

}  // namespace

void CXCryptedBufferW::PutTagged(std::uint8_t tag, std::uint32_t value) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + 5);
  bytes_[at] = tag;
  inf::StoreLe32(bytes_.data() + at + 1, value);
}

void CXCryptedBufferW::WriteText(std::wstring_view text) {
  const std::size_t countAt = bytes_.size() + 1;
  PutTagged(inf::kTagText, 0);
  // The unit count is known only after encoding: a wide character may become a surrogate pair.
  const std::size_t units = inf::AppendUtf16Le(bytes_, text);
  inf::StoreLe32(bytes_.data() + countAt, CheckedCount(units));
}

void CXCryptedBufferW::WriteInt(std::int32_t value) {
  PutTagged(inf::kTagInt, static_cast<std::uint32_t>(value));
}

void CXCryptedBufferW::WriteDword(std::uint32_t value) {
  PutTagged(inf::kTagDword, value);
}

void CXCryptedBufferW::WriteBlock(std::span<const std::uint8_t> bytes) {
  PutTagged(inf::kTagBlock, CheckedCount(bytes.size()));
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

CXCryptedBufferW::Read CXCryptedBufferW::ReadText(std::wstring& text) {
  std::span<const std::uint8_t> units;
  const Read r = ReadTextUnits(units);
  if (r == Read::Ok) text = inf::DecodeUtf16Le(units);
  return r;
}

void CXCryptedBufferW::Scramble(inf::StreamParams params) {
  if (bytes_.size() < inf::kBodyCheckSize) bytes_.resize(inf::kBodyCheckSize, 0);
  const std::span<std::uint8_t> stream(bytes_.data() + inf::kBodyCheckSize,
                                       bytes_.size() - inf::kBodyCheckSize);
  const inf::ByteFold fold = inf::FoldBytes(stream);
  bytes_[0] = inf::kBodyMarker;
  bytes_[1] = fold.sum;
  bytes_[2] = fold.orBits;
  bytes_[3] = fold.sum;  // the salt
  inf::Keystream(params, fold.sum, stream.size()).Apply(stream);
}

CXCryptedBufferW::Check CXCryptedBufferW::Unscramble(inf::StreamParams params) {
  if (bytes_.size() < inf::kBodyCheckSize) return Check::TooShort;
  if (bytes_[0] != inf::kBodyMarker) return Check::BadMarker;
  const std::span<std::uint8_t> stream(bytes_.data() + inf::kBodyCheckSize,
                                       bytes_.size() - inf::kBodyCheckSize);
  inf::ByteFold fold;
  inf::Keystream(params, bytes_[3], stream.size()).ApplyAndFold(stream, fold);
  if (fold.sum != bytes_[1]) return Check::BadChecksum;
  if (fold.orBits != bytes_[2]) return Check::BadOrByte;
  return Check::Ok;
}
