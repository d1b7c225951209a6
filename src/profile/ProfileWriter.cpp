#include "profile/ProfileWriter.h"

#include <algorithm>
#include <stdexcept>

namespace inf {
namespace {

std::int32_t CheckedCount(std::size_t count) {
  if (count > 0x7FFFFFFF) throw std::length_error("too many items for a profile stream");
  return static_cast<std::int32_t>(count);
}

}  // namespace

CXCryptedBufferW SerializeStream(const ProfileDocument& document) {
  CXCryptedBufferW body(std::vector<std::uint8_t>(kBodyCheckSize, 0));
  body.WriteInt(CheckedCount(document.sections.size()));
  for (const DocumentSection& section : document.sections) {
    body.WriteText(section.name);
    body.WriteInt(CheckedCount(section.entries.size()));
    for (const DocumentEntry& entry : section.entries) {
      body.WriteText(entry.key);
      body.WriteInt(entry.type);
      switch (entry.type) {
        case kTypeText: body.WriteText(entry.text); break;
        case kTypeInt: body.WriteInt(static_cast<std::int32_t>(entry.number)); break;
        case kTypeDword: body.WriteDword(entry.number); break;
        case kTypeBlock: body.WriteBlock(entry.block); break;
        default: break;  // other type codes carry no value
      }
    }
  }
  return body;
}

std::vector<std::uint8_t> WriteProfileFile(const ProfileDocument& document, StreamParams params) {
  CXCryptedBufferW body = SerializeStream(document);
  body.Scramble(params);
  const auto header = EncodeHeader(params);
  std::vector<std::uint8_t> file(header.size() + body.Size());
  const auto afterHeader = std::copy(header.begin(), header.end(), file.begin());
  std::copy(body.Bytes().begin(), body.Bytes().end(), afterHeader);
  return file;
}

}  // namespace inf
