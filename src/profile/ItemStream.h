#pragma once
// Reading the profile content from an unscrambled body's item stream:
//   int S; S times { text name; int E; E times { text key; int type; value by type } }
// The parser hands each section and each complete entry to a sink as it goes. On malformed data
// it stops and says where; everything handed over until then was read whole.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "profile/CryptedBuffer.h"

namespace inf {

enum class StreamFault : std::uint8_t {
  None,
  EndOfData,         // the stream ended where an item was due (counts beyond the data end here)
  WrongTag,          // an item of another kind than the content calls for
  Truncated,         // an item cut off in its fixed part
  NegativeCount,     // a negative section, entry, text or block count
  LengthBeyondData,  // a text or block longer than the rest of the stream
  TrailingBytes,     // bytes after the last section; the content itself is complete
};

struct StreamError {
  StreamFault fault = StreamFault::None;
  std::size_t offset = 0;        // body offset of the item that could not be read
  std::uint8_t expectedTag = 0;  // for WrongTag
  std::uint8_t foundTag = 0;     // for WrongTag
  std::int64_t count = 0;        // for NegativeCount, LengthBeyondData, TrailingBytes

  // True when everything the stream declares was read (trailing bytes aside).
  bool Complete() const noexcept { return fault == StreamFault::None || fault == StreamFault::TrailingBytes; }
};

std::string Describe(const StreamError& error);

class ProfileStreamSink {
 public:
  // A section whose name and entry count were read; `entryHint` is the declared count, capped by
  // what the rest of the stream could possibly hold.
  virtual void BeginSection(std::wstring name, std::size_t entryHint) = 0;
  // A complete entry of the current section. `value` is the value item's payload as it lies in
  // the stream: the UTF-16LE units of an 'S' text, the 4 bytes of an 'H' or 'B' value, the bytes
  // of a 'G' block, nothing for other type codes.
  virtual void AddEntry(std::wstring key, std::int32_t type, std::span<const std::uint8_t> value) = 0;

 protected:
  ~ProfileStreamSink() = default;
};

// Parses from body offset 4 (the body must be unscrambled).
StreamError ParseProfileStream(CXCryptedBufferW& body, ProfileStreamSink& sink);

}  // namespace inf
