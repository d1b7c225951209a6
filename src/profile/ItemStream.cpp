#include "profile/ItemStream.h"

#include "profile/Utf16.h"

namespace inf {
namespace {

using Read = CXCryptedBufferW::Read;

// The smallest entry is a text item (5 bytes) and an integer item (5 bytes); the smallest
// section header is the same. Declared counts are never trusted beyond that.
constexpr std::size_t kMinEntryBytes = 10;

class Parser {
 public:
  Parser(CXCryptedBufferW& body, ProfileStreamSink& sink) : body_(body), sink_(sink) {}

  StreamError Run() {
    body_.Seek(kBodyCheckSize);
    std::int32_t sections = 0;
    if (!Count(sections)) return error_;
    for (std::int32_t s = 0; s < sections; ++s) {
      std::span<const std::uint8_t> name;
      std::int32_t entries = 0;
      if (!Text(name) || !Count(entries)) return error_;
      sink_.BeginSection(DecodeUtf16Le(name), Hint(entries));
      for (std::int32_t e = 0; e < entries; ++e) {
        if (!Entry()) return error_;
      }
    }
    if (body_.Remaining() != 0) {
      error_ = {StreamFault::TrailingBytes, body_.Position(), 0, 0,
                static_cast<std::int64_t>(body_.Remaining())};
    }
    return error_;
  }

 private:
  bool Entry() {
    std::span<const std::uint8_t> key;
    std::int32_t type = 0;
    if (!Text(key) || !Int(type)) return false;
    std::span<const std::uint8_t> value;
    const std::size_t at = body_.Position();
    switch (type) {
      case kTypeText:
        if (!Check(kTagText, at, body_.ReadTextUnits(value))) return false;
        break;
      case kTypeInt: {
        std::int32_t unused = 0;
        if (!Check(kTagInt, at, body_.ReadInt(unused))) return false;
        value = Payload(at, 4);
        break;
      }
      case kTypeDword: {
        std::uint32_t unused = 0;
        if (!Check(kTagDword, at, body_.ReadDword(unused))) return false;
        value = Payload(at, 4);
        break;
      }
      case kTypeBlock:
        if (!Check(kTagBlock, at, body_.ReadBlock(value))) return false;
        break;
      default: break;  // no value follows other type codes
    }
    sink_.AddEntry(DecodeUtf16Le(key), type, value);
    return true;
  }

  // The payload of the fixed-size item at `at`, just read whole.
  std::span<const std::uint8_t> Payload(std::size_t at, std::size_t size) const {
    return std::span<const std::uint8_t>(body_.Bytes().data() + at + 1, size);
  }

  bool Text(std::span<const std::uint8_t>& units) {
    const std::size_t at = body_.Position();
    return Check(kTagText, at, body_.ReadTextUnits(units));
  }

  bool Int(std::int32_t& value) {
    const std::size_t at = body_.Position();
    return Check(kTagInt, at, body_.ReadInt(value));
  }

  bool Count(std::int32_t& count) {
    const std::size_t at = body_.Position();
    if (!Int(count)) return false;
    if (count >= 0) return true;
    error_ = {StreamFault::NegativeCount, at, 0, 0, count};
    return false;
  }

  std::size_t Hint(std::int32_t declared) const {
    const std::size_t fits = body_.Remaining() / kMinEntryBytes;
    const auto count = static_cast<std::size_t>(declared);
    return count < fits ? count : fits;
  }

  // Records why the item at `at` (expected to carry `tag`) could not be read.
  bool Check(std::uint8_t tag, std::size_t at, Read r) {
    if (r == Read::Ok) return true;
    const std::uint8_t* item = body_.Bytes().data() + at;
    error_ = {};
    error_.offset = at;
    switch (r) {
      case Read::EndOfData:
        error_.fault = StreamFault::EndOfData;
        error_.expectedTag = tag;
        break;
      case Read::WrongTag:
        error_.fault = StreamFault::WrongTag;
        error_.expectedTag = tag;
        error_.foundTag = *item;
        break;
      case Read::Truncated:
        error_.fault = StreamFault::Truncated;
        error_.expectedTag = tag;
        break;
      case Read::NegativeLength:
      case Read::LengthBeyondData:
        error_.fault = r == Read::NegativeLength ? StreamFault::NegativeCount : StreamFault::LengthBeyondData;
        error_.count = static_cast<std::int32_t>(LoadLe32(item + 1));
        break;
      case Read::Ok: break;
    }
    return false;
  }

  CXCryptedBufferW& body_;
  ProfileStreamSink& sink_;
  StreamError error_;
};

const char* ItemName(std::uint8_t tag) {
  switch (tag) {
    case kTagText: return "text item (tag 1)";
    case kTagInt: return "integer item (tag 2)";
    case kTagDword: return "32-bit value item (tag 3)";
    case kTagBlock: return "byte block item (tag 4)";
    default: return "item";
  }
}

}  // namespace

StreamError ParseProfileStream(CXCryptedBufferW& body, ProfileStreamSink& sink) {
  return Parser(body, sink).Run();
}

std::string Describe(const StreamError& error) {
  const std::string at = " at body offset " + std::to_string(error.offset);
  switch (error.fault) {
    case StreamFault::None: return "item stream complete";
    case StreamFault::EndOfData:
      return std::string("item stream ends where a ") + ItemName(error.expectedTag) + " is due" + at;
    case StreamFault::WrongTag:
      return std::string("expected a ") + ItemName(error.expectedTag) + ", found tag " +
             std::to_string(error.foundTag) + at;
    case StreamFault::Truncated: return std::string(ItemName(error.expectedTag)) + " cut off" + at;
    case StreamFault::NegativeCount: return "negative count " + std::to_string(error.count) + at;
    case StreamFault::LengthBeyondData:
      return "length " + std::to_string(error.count) + " runs past the end of the data" + at;
    case StreamFault::TrailingBytes:
      return std::to_string(error.count) + " bytes after the last section" + at;
  }
  return "item stream malformed" + at;
}

}  // namespace inf
