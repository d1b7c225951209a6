#pragma once
// The raw content of a profile stream, exactly as it lies in the file: sections and entries in
// file order, duplicates included. This is what a writer serialises and what a dump shows; the
// reader used at run time (CXCryptedProfileW) folds duplicates instead.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "profile/ProfileDecode.h"

namespace inf {

struct DocumentEntry {
  std::wstring key;
  std::int32_t type = 0;
  std::wstring text;                // type 'S'
  std::uint32_t number = 0;         // type 'H' (stored as its 32 bits) and 'B'
  std::vector<std::uint8_t> block;  // type 'G'

  bool operator==(const DocumentEntry&) const = default;
};

struct DocumentSection {
  std::wstring name;
  std::vector<DocumentEntry> entries;

  bool operator==(const DocumentSection&) const = default;
};

struct ProfileDocument {
  std::vector<DocumentSection> sections;

  bool operator==(const ProfileDocument&) const = default;
};

struct DocumentReadResult {
  DecodeResult decode;
  // Everything read whole, also when the stream turned out to be malformed.
  ProfileDocument document;
};

DocumentReadResult ReadDocument(std::span<const std::uint8_t> file);

}  // namespace inf
