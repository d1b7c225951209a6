#include "profile/ProfileDecode.h"

namespace inf {

std::string_view Describe(FileStatus status) noexcept {
  switch (status) {
    case FileStatus::Ok: return "ok";
    case FileStatus::CannotOpen: return "cannot open the file";
    case FileStatus::ReadError: return "read error";
    case FileStatus::ShortHeader: return "file shorter than the 16-byte header";
    case FileStatus::BadMagic: return "bad magic (not a profile file)";
    case FileStatus::NoBody: return "body missing its check bytes";
    case FileStatus::BadMarker: return "body marker byte is not 0x1A";
    case FileStatus::BadChecksum: return "checksum failure (body sum does not match)";
    case FileStatus::BadOrByte: return "checksum failure (body OR byte does not match)";
  }
  return "unknown failure";
}

FileStatus ReadHeader(std::span<const std::uint8_t> header, StreamParams& params) noexcept {
  if (header.size() < kHeaderSize) return FileStatus::ShortHeader;
  if (LoadLe16(&header[0]) != kMagic) return FileStatus::BadMagic;
  params.a = LoadLe16(&header[2]);
  params.b = LoadLe16(&header[4]);
  params.c = LoadLe16(&header[6]);
  return FileStatus::Ok;
}

DecodeResult DecodeBody(std::vector<std::uint8_t> body, StreamParams params, ProfileStreamSink& sink) {
  CXCryptedBufferW buffer(std::move(body));
  DecodeResult result;
  switch (buffer.Unscramble(params)) {
    case CXCryptedBufferW::Check::Ok: break;
    case CXCryptedBufferW::Check::TooShort: result.status = FileStatus::NoBody; return result;
    case CXCryptedBufferW::Check::BadMarker: result.status = FileStatus::BadMarker; return result;
    case CXCryptedBufferW::Check::BadChecksum: result.status = FileStatus::BadChecksum; return result;
    case CXCryptedBufferW::Check::BadOrByte: result.status = FileStatus::BadOrByte; return result;
  }
  result.stream = ParseProfileStream(buffer, sink);
  return result;
}

DecodeResult DecodeFile(std::span<const std::uint8_t> file, ProfileStreamSink& sink) {
  DecodeResult result;
  StreamParams params;
  result.status = ReadHeader(file, params);
  if (result.status != FileStatus::Ok) return result;
  const auto body = file.subspan(kHeaderSize);
  return DecodeBody(std::vector<std::uint8_t>(body.begin(), body.end()), params, sink);
}

}  // namespace inf
