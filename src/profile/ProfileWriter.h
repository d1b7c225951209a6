#pragma once
// Writing profile files: the item stream of a document in its exact order, and the scrambled file.

#include <cstdint>
#include <vector>

#include "profile/CryptedBuffer.h"
#include "profile/FileFormat.h"
#include "profile/ProfileDocument.h"

namespace inf {

// The unscrambled body: four zero check bytes, then the item stream.
CXCryptedBufferW SerializeStream(const ProfileDocument& document);

// The complete file: header with `params`, then the scrambled body.
std::vector<std::uint8_t> WriteProfileFile(const ProfileDocument& document, StreamParams params);

}  // namespace inf
