#pragma once
// From file bytes to profile content: header check, unscrambling with verification, then the
// item stream handed to a sink. Shared by the profile reader and the dump of the infpack tool.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "profile/FileFormat.h"
#include "profile/ItemStream.h"

namespace inf {

enum class FileStatus : std::uint8_t {
  Ok,  // the body verified; the stream may still be malformed (see DecodeResult)
  CannotOpen,
  ReadError,
  ShortHeader,  // fewer than 16 bytes
  BadMagic,
  NoBody,  // the body lacks its four check bytes
  BadMarker,
  BadChecksum,
  BadOrByte,
};

std::string_view Describe(FileStatus status) noexcept;

struct DecodeResult {
  FileStatus status = FileStatus::Ok;
  StreamError stream;  // meaningful when status is Ok

  bool Verified() const noexcept { return status == FileStatus::Ok; }
};

// Checks a 16-byte header and takes the stream parameters from it.
FileStatus ReadHeader(std::span<const std::uint8_t> header, StreamParams& params) noexcept;

// Unscrambles `body` (everything after the header) in place and parses it into `sink`.
DecodeResult DecodeBody(std::vector<std::uint8_t> body, StreamParams params, ProfileStreamSink& sink);

DecodeResult DecodeFile(std::span<const std::uint8_t> file, ProfileStreamSink& sink);

}  // namespace inf
